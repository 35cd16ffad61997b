// What the fuzz targets share: the check that stops a run and names its line,
// and the rules for text and reply lines.
#pragma once

#include <cstdio>
#include <cstdlib>
#include <string_view>

inline void Check(bool holds, int line = __builtin_LINE(), const char* file = __builtin_FILE()) {
  if (holds) return;
  std::fprintf(stderr, "%s:%d: check failed\n", file, line);
  std::abort();
}

// Printable ASCII only, or also the line breaks CR and LF where `lines` allows them.
inline bool IsPlainText(std::string_view text, bool lines) {
  for (const char c : text)
    if ((c < 0x20 || c > 0x7E) && !(lines && (c == '\r' || c == '\n'))) return false;
  return true;
}

// Reply lines without their CR: an acknowledgement, and a read-back block.
inline bool IsAcknowledgement(std::string_view line) {
  return line == "ACK" || line == "DONE";
}
inline bool IsBlockLine(std::string_view line) {
  return line.size() == 32 && line.find_first_not_of("0123456789ABCDEFabcdef") == line.npos;
}
