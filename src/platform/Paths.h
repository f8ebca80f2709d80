#pragma once
#include <string>

// The folder that holds the running program, ending in '/'; empty when the system cannot say.
std::string ExecutableFolder();

// True when the program may create files in `folder` (an existing folder, writable by this user).
bool FolderWritable(const std::string& folder);
