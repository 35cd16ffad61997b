// The factory configuration's report, written by hand and kept as
// tests/report/factory_report.txt.
#pragma once

#include <string_view>

std::string_view FactoryReportGolden();
