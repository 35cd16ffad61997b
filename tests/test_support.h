// Helpers shared by the tests: scratch folders, whole-file access, hex literals.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// A new empty folder under the system's temporary folder.
std::string MakeScratchDir();
std::vector<uint8_t> ReadWholeFile(const std::string& path);
void WriteWholeFile(const std::string& path, const std::vector<uint8_t>& bytes);
// "01 00 0A" -> {0x01, 0x00, 0x0A}
std::vector<uint8_t> Hex(const std::string& text);
