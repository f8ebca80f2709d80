#pragma once
#include <string>

// Replaces the file at `path` with `contents` so that the old file stays whole until the new
// one is complete on disk: a temporary file in the same folder is written, flushed and synced,
// then renamed over it. False, with the old file untouched and no temporary left, when any step
// fails (folder not writable, disk full, file-size limit, I/O error).
bool ReplaceFile(const std::string& path, const std::string& contents);
