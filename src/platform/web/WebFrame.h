#pragma once
// How the browser build hands its frames to the browser: the game's own loop keeps running, and
// between two frames it waits, with the browser in control, for the next animation frame.

// Called when a frame has been presented; the next time the message queue runs dry the game
// waits for the browser's next animation frame.
void NoteFramePresented();

// Called on the first key or click: browsers let a page start its sound only then.
void NoteUserGesture();
