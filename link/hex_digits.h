// Hexadecimal text on the scanner line: the digits of commands, which depend
// on the scanner's version class. Read-back replies take plain hexadecimal
// digits in either case (settings/value_texts.h).
#pragma once

#include <string_view>

// The version class: no reply, a reply sorting before "Ver:2.00", or not.
inline constexpr int kNoVersion = 0;
inline constexpr int kOldVersion = 1;
inline constexpr int kCurrentVersion = 2;
inline constexpr const char* kVersionThreshold = "Ver:2.00";

// The class of a version reply (without its CR), by byte comparison.
int VersionClassOf(std::string_view reply);

// The command character for `value` (0-15): '0'-'9', 'A'-'F', except that a
// scanner of the old version class takes 9 as '@'.
char CommandHexDigit(unsigned value, int versionClass);

// The value of a command character under the same rule, or -1.
int CommandHexValue(char c, int versionClass);
