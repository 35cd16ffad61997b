// Helpers of the report tests: reports of modified factory images, and cutting
// a report into its sections.
#pragma once

#include <string>
#include <string_view>

#include "report/settings_report.h"

inline constexpr InterfaceKind kWedge = InterfaceKind::KeyboardWedge;
inline constexpr InterfaceKind kRs232 = InterfaceKind::Rs232;
inline constexpr InterfaceKind kWand = InterfaceKind::WandEmulation;

// The text from `from` (included) up to `to` (excluded); "" when `from` is
// missing, the rest of the report when `to` is.
std::string Between(std::string_view report, std::string_view from, std::string_view to);

// The sections of a report by their headings.
std::string InterfaceSection(std::string_view report);
std::string ScannerSection(std::string_view report);  // from the buzzer to the suffix
std::string SymbologyBlock(std::string_view report, std::string_view name);
std::string CodeIdSection(std::string_view report);
std::string SubstitutionSection(std::string_view report);
std::string DataEditingSection(std::string_view report);
// Editing format block f (1 to 3), from its header line to the next one.
std::string FormatBlock(std::string_view report, int f);

// The report with `text` replaced by `replacement` wherever it occurs.
std::string ReplaceAll(std::string text, std::string_view what, std::string_view replacement);
