// The hexadecimal digit rules of the scanner line.
#include "link/hex_digits.h"

#include <cstring>

namespace {

constexpr char kOldNine = 0x40;

}  // namespace

int VersionClassOf(std::string_view reply) {
  return reply < std::string_view(kVersionThreshold) ? kOldVersion : kCurrentVersion;
}

char CommandHexDigit(unsigned value, int versionClass) {
  if (value == 9 && versionClass == kOldVersion) return kOldNine;
  return static_cast<char>(value < 10 ? '0' + value : 'A' + (value - 10));
}

int CommandHexValue(char c, int versionClass) {
  for (unsigned v = 0; v < 16; ++v)
    if (CommandHexDigit(v, versionClass) == c) return static_cast<int>(v);
  return -1;
}
