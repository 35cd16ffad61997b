// Runs the built skelv as a user would, for the native tests of its commands.
#pragma once

#include <string>

struct Outcome {
  int status;       // exit status, or -1 when skelv did not exit normally
  std::string out;  // stdout, byte for byte
  std::string err;  // stderr, empty when it went to `errPath`
};

// Runs `skelv` with `args` (already shell-quoted where needed), stdin empty;
// stderr goes to `errPath` when given (a terminal, say).
Outcome RunSkelv(const std::string& skelv, const std::string& args,
                 const std::string& errPath = "");

// The number of lines in `text`.
int Lines(const std::string& text);
