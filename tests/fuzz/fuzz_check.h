// What the fuzz targets share: a check that stops the run with its reason,
// and the rule for text shown to the operator.
#pragma once

#include <cstdio>
#include <cstdlib>
#include <string_view>

#define FUZZ_CHECK(condition)                                                      \
  do {                                                                             \
    if (!(condition)) {                                                            \
      std::fprintf(stderr, "%s:%d: failed: %s\n", __FILE__, __LINE__, #condition); \
      std::abort();                                                                \
    }                                                                              \
  } while (0)

// Printable ASCII only, or also the line breaks CR and LF where `lines` allows them.
inline bool IsPlainText(std::string_view text, bool lines) {
  for (const char c : text)
    if ((c < 0x20 || c > 0x7E) && !(lines && (c == '\r' || c == '\n'))) return false;
  return true;
}
