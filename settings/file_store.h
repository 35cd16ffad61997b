// Whole-file reading and crash-safe replacement, one implementation per platform.
#pragma once

#include <cstddef>
#include <cstdint>

// Reads at most `capacity` bytes of the file at `path` into `buffer`.
// Returns the count read, or -1 when the file cannot be opened or read.
long ReadFileStart(const char* path, uint8_t* buffer, size_t capacity);

// Writes `size` bytes into a temporary file beside `path`, then puts it in
// place of `path` in one step. Returns false, leaving any old file as it was,
// when anything fails.
bool ReplaceFileContents(const char* path, const uint8_t* data, size_t size);
