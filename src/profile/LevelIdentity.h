#pragma once
#include <string>

// How the profile knows a level: by its file name and the hash of its content.

// ContentHash of the file's bytes; empty when the file cannot be read.
std::string LevelFileHash(const std::string& path);

// The file name of a level path, without its folders ("levels/01_a.txt" -> "01_a.txt").
std::string LevelFileName(const std::string& path);

// "first shot" from "01_first_shot.txt": the list name without its number, extension and
// underscores; the name players see.
std::string ReadableLevelName(const std::string& listName);
