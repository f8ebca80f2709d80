#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

// The harnesses' one shared helper: the loaders read files, so each input becomes a file.

// The folder of this process's own input files (made on first use, removed at exit).
const std::string& InputFolder();
// Writes `size` bytes to `name` inside InputFolder() and returns its path.
std::string InputFile(const uint8_t* data, size_t size, const std::string& name);
// Imports `header` followed by the input as a model file twice, each time with fresh memory
// filled differently, and ends the process when the two meshes or verdicts differ; always 0.
int ImportModelInput(const char* header, const uint8_t* data, size_t size);

// The two-loads check: a loader whose result depends on memory it never wrote gives two answers
// for one input when that memory is filled differently between two loads.

// Sets the byte FillWithPattern writes from now on.
void SetFillPattern(uint8_t pattern);
// Fills `bytes` bytes at `block` with the pattern. Under Valgrind they stay undefined, so that
// memcheck still reports any use of a byte that no one wrote.
void FillWithPattern(void* block, size_t bytes);
// While on, fresh heap blocks of up to 64 KiB are filled with the pattern. Only the sanitizer
// builds have the allocator hook this needs (and larger blocks there come zeroed from the
// system); elsewhere it does nothing.
void FillFreshAllocations(bool on);
// Ends the process with the message `broken` unless `holds`.
void Expect(bool holds, const char* broken);
