#pragma once

// Whether a long level load may go on: at most every 50 ms it takes the window's pending messages
// and reads Escape; false (and the quit message queued) from the first time the window was
// closed, quit was asked or Escape pressed, and ever after. Other messages are dropped, as no
// level may be picked or shot at while one is being read.
bool KeepLoadingLevel();

// True once KeepLoadingLevel has answered false: the program is to end.
bool QuitAskedDuringLoad();
