// Settings files of any length: reading takes exactly the leading bytes the
// file holds, saving writes exactly the image, and reading that back round-trips.
#include <unistd.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "settings/settings_file.h"
#include "tests/fuzz/fuzz_check.h"

namespace {

const std::string kDirectory = "/tmp/skelv-fuzz-" + std::to_string(getpid());
const std::string kOpened = kDirectory + "/opened.qrs";
const std::string kSaved = kDirectory + "/saved.qrs";

SettingsImage Pattern(uint8_t seed) {
  SettingsImage image;
  for (int k = 0; k < kImageSize; ++k) image.bytes[k] = static_cast<uint8_t>(seed + 7 * k);
  return image;
}

std::string FileBytes(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  std::filesystem::create_directories(kDirectory);
  std::atexit([] { std::filesystem::remove_all(kDirectory); });
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::ofstream(kOpened, std::ios::binary | std::ios::trunc)
      .write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));

  const SettingsImage before = Pattern(0x35);
  SettingsImage image = before;
  Check(ReadSettingsFile(kOpened.c_str(), image) == 1);
  const size_t taken = std::min<size_t>(size, kImageSize);
  Check(std::equal(data, data + taken, image.bytes.begin()));
  Check(std::equal(image.bytes.begin() + taken, image.bytes.end(), before.bytes.begin() + taken));

  Check(WriteSettingsFile(kSaved.c_str(), image) == 1);
  const std::string saved = FileBytes(kSaved);
  Check(saved.size() == kImageSize &&
        std::memcmp(saved.data(), image.bytes.data(), kImageSize) == 0);
  SettingsImage reread = Pattern(0xC4);
  Check(ReadSettingsFile(kSaved.c_str(), reread) == 1 && reread.bytes == image.bytes);

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
