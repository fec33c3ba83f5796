#pragma once
// Reading files whole or in part, with the system's own calls.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// The whole file, byte for byte; a file that cannot be read, or holds nothing, fails.
std::vector<uint8_t> readWholeFile(const std::string& path);

// The file's first bytes, at most `limit` of them; empty when it cannot be read, with
// the system's error number in `error` (0 when the bytes were read).
std::vector<uint8_t> readFileStart(const std::string& path, size_t limit, int& error);
std::vector<uint8_t> readFileStart(const std::string& path, size_t limit);
