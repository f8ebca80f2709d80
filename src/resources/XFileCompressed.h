#pragma once
#include <cstddef>
#include <string>

// Whether a `.x` file's 16-byte header says compressed ("tzip" or "bzip").
bool IsCompressedXFile(const std::string& file);

// The plain form of a compressed `.x` file: its header with "txt " or "bin " in place of "tzip"
// or "bzip", then the inflated data. The data after the header is a 32-bit size of the whole
// plain file, then blocks, each a 16-bit size inflated, a 16-bit size stored, and that many
// stored bytes: "CK" and a deflate stream that may refer back to the bytes inflated before it.
// Sizes are checked before anything is allocated for them: the declared size may not pass
// `maxBytes` and the blocks may not inflate to more than it declares. False with a reason in
// *error for a file that is not compressed or whose blocks do not inflate as declared.
bool ExpandCompressedXFile(const std::string& file, size_t maxBytes, std::string* plain, std::string* error);
