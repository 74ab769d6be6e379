// Small helpers for the disc and drive tests: taking over the library's
// malloc'd results, writing VIDEO_TS folders.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace dvdtest {

// Copies a malloc'd text and frees it; "<null>" for a null pointer.
std::string TakeText(char* text);

// Copies a calloc'd list of count lines and frees it (lines and array).
std::vector<std::string> TakeList(char** list, int count);

// Writes VIDEO_TS/<name> under root (creating VIDEO_TS).
void WriteDiscFile(const std::string& root, const std::string& name, const std::string& bytes);

// A sparse file of the given size, with `bytes` written at `offset`.
void WriteSparse(const std::string& path, int64_t size, int64_t offset = 0,
                 const std::string& bytes = std::string());

}  // namespace dvdtest
