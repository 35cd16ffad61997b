// Settings files of any length: reading takes exactly the leading bytes the
// file holds, and saving what was read writes exactly the image; the Save As
// name rule on any name.
#include <algorithm>
#include <string>

#include "settings/factory_defaults.h"
#include "settings/settings_file.h"
#include "tests/fuzz/fuzz_check.h"
#include "tests/test_support.h"

namespace {

const std::string kDirectory = MakeScratchDir();
const std::string kOpened = kDirectory + "/opened.qrs";
const std::string kSaved = kDirectory + "/saved.qrs";

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  WriteWholeFile(kOpened, {data, data + size});

  const SettingsImage before = FactoryImage();
  SettingsImage image = before;
  Check(ReadSettingsFile(kOpened.c_str(), image) == 1);
  const size_t taken = std::min<size_t>(size, kImageSize);
  Check(std::equal(data, data + taken, image.bytes.begin()));
  Check(std::equal(image.bytes.begin() + taken, image.bytes.end(), before.bytes.begin() + taken));

  Check(WriteSettingsFile(kSaved.c_str(), image) == 1);
  Check(ReadWholeFile(kSaved) == std::vector<uint8_t>(image.bytes.begin(), image.bytes.end()));

  // The Save As name of the same bytes taken as a chosen name.
  const std::string_view chosen(reinterpret_cast<const char*>(data), size);
  if (const auto path = SaveAsPath(chosen)) {
    Check(path->starts_with(chosen) && path->ends_with(kSettingsSuffix));
    Check(path->size() <= kMaxPathLength);
  } else {
    Check(chosen.empty() || chosen.size() + 4 > kMaxPathLength);
  }
  return 0;
}
