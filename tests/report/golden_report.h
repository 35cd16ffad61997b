// The golden reports kept beside the report tests as NAME_report.txt: the
// factory one written by hand, the others derived by hand from their images.
#pragma once

#include <string_view>

// The text of NAME_report.txt, or "" when there is none.
std::string_view GoldenReport(std::string_view name);
