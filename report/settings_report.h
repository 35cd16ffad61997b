// The settings report: the whole configuration as plain text, CR LF lines.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "keycodes/key_code_string.h"
#include "settings/settings_image.h"

// Receives the report piece by piece, in order (the report view appends each).
using ReportSink = std::function<void(std::string_view piece)>;

// The report of `image` with key sequences read in `mode`.
void RenderReport(const SettingsImage& image, InterfaceKind mode, const ReportSink& append);
std::string ReportText(const SettingsImage& image, InterfaceKind mode);

// The report of the process-wide image in the process-wide InterfaceMode.
void RenderSettingsReport(const ReportSink& append);

// The items of the report in which the reports of `a` and `b` differ, named
// as the report shows them ("Scan Mode", "Code 39: Verify Checksum"): those
// of `a` in report order, then those only `b`'s report has.
std::vector<std::string> DifferingReportItems(const SettingsImage& a, const SettingsImage& b,
                                              InterfaceKind mode);

// An editing format's transmission sequence spelled out, e.g. "[F1][F2][A1]".
std::string RenderSequence(const EditFormat& format);
