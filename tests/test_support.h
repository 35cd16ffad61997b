// Helpers shared by the tests: scratch folders, whole-file access, hex
// literals, the factory bytes, and running skelv as a user would.
#pragma once

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

// A new empty folder under the system's temporary folder, removed when the
// test program ends.
std::string MakeScratchDir();
std::vector<uint8_t> ReadWholeFile(const std::string& path);
void WriteWholeFile(const std::string& path, const std::vector<uint8_t>& bytes);
// "01 00 0A" -> {0x01, 0x00, 0x0A}
std::vector<uint8_t> Hex(const std::string& text);
// Writes hex bytes from `bytes[0]` on; a token "N:" goes on at offset N:
// "4: 11 12 30: 0D" writes bytes 4, 5 and 30, and nothing else. Returns the
// offset after the last byte written.
size_t Patch(uint8_t* bytes, const std::string& text);
// The 256 bytes of a fresh configuration, written out from the byte map.
std::vector<uint8_t> FactoryBytes();

struct Outcome {
  int status;       // exit status, or -1 when skelv did not exit normally
  std::string out;  // stdout, byte for byte
  std::string err;  // stderr, empty when it went to `errPath`
  int errLines() const { return static_cast<int>(std::count(err.begin(), err.end(), '\n')); }
  // "[STATUS] " and stdout and stderr, to check all three at once.
  std::string Said() const { return "[" + std::to_string(status) + "] " + out + err; }
};
// Runs the built skelv (tool tests only) with `args`, already shell-quoted, stdin
// from `inPath`; stderr goes to `errPath` when given (a terminal, say).
Outcome RunSkelv(const std::string& args, const std::string& errPath = "",
                 const std::string& inPath = "/dev/null");
