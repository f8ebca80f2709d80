#pragma once
#include <cstdint>
#include <string>
#include <vector>

// Writes an image as a PNG file: `pixels` holds width * height * channels bytes, rows from the
// top, channels 1 (grey), 3 (RGB) or 4 (RGBA). The same pixels always give the same bytes.
// Returns false when the arguments do not match or the file cannot be written.
bool WritePng(const std::string& path, int width, int height, int channels, const std::vector<uint8_t>& pixels);
