// The report of any 256 bytes in any key mode: the same text every time,
// plain printable lines ending in CR LF.
#include <algorithm>
#include <cstdint>

#include "report/settings_report.h"
#include "tests/fuzz/fuzz_check.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 1) return 0;
  const auto mode = static_cast<InterfaceKind>(data[0] % 3);
  SettingsImage image{};
  std::copy_n(data + 1, std::min<size_t>(size - 1, kImageSize), image.bytes.begin());

  const std::string text = ReportText(image, mode);
  Check(IsPlainText(text, true));
  Check(text.size() >= 2 && text.substr(text.size() - 2) == "\r\n");
  Check(ReportText(image, mode) == text);
  return 0;
}
