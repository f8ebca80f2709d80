#pragma once
#include <string>

// Replaces the file at `path` with `contents` so that the old file stays whole until the new
// one is complete on disk: a temporary file in the same folder is written, flushed and synced,
// then renamed over it. False, with the old file untouched and no temporary left, when any step
// fails (folder not writable, disk full, file-size limit, I/O error, not a regular file), with the
// reason in `why` when given. A symbolic link is followed; an existing file keeps its permissions.
bool ReplaceFile(const std::string& file, const std::string& contents, std::string* why = nullptr);
