#pragma once
// The browser keeps the player's files (the home folder of the page's file system) in its
// persistent storage, IndexedDB; the page's script loads them before the game starts.

// The folder whose files the browser keeps.
const char* WebStorageFolder();

// Copies the kept folder's files to the browser's storage, in the background; call after each
// change to them.
void PersistWebStorage();
