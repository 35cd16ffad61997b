// The images whose reports are kept as golden files, and the key mode each is read in.
#pragma once

#include <string>
#include <vector>

#include "keycodes/key_code_string.h"

struct GoldenCase {
  std::string name;  // of the golden file NAME_report.txt
  SettingsImage image;
  InterfaceKind keys;
  bool switched;  // byte 0 was changed after the keys were chosen, so they disagree
};

std::vector<GoldenCase> GoldenCases();
