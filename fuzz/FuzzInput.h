#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

// The harnesses' one shared helper: the loaders read files, so each input becomes a file.

// The folder of this process's own input files (made on first use, removed at exit).
const std::string& InputFolder();
// Writes `size` bytes to `name` inside InputFolder() and returns its path.
std::string InputFile(const uint8_t* data, size_t size, const std::string& name);
// Imports `header` followed by the input as a model file; always 0.
int ImportModelInput(const char* header, const uint8_t* data, size_t size);
