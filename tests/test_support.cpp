// Test helpers built on the standard library, for Linux and Windows alike.
#include "tests/test_support.h"

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>

#ifdef SKELV_PATH
#include <sys/wait.h>
#endif

std::string MakeScratchDir() {
  // Removed with what is in them when the test program ends.
  static std::vector<std::filesystem::path> made;
  [[maybe_unused]] static const int removal = std::atexit([] {
    std::error_code ignored;
    for (const auto& dir : made) std::filesystem::remove_all(dir, ignored);
  });
  static int counter = 0;
  const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
  const std::filesystem::path dir =
      std::filesystem::temp_directory_path() /
      ("skelv-test-" + std::to_string(stamp) + "-" + std::to_string(counter++));
  std::filesystem::create_directories(dir);
  made.push_back(dir);
  return dir.string();
}

std::vector<uint8_t> ReadWholeFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), {});
}

void WriteWholeFile(const std::string& path, const std::vector<uint8_t>& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()),
            static_cast<std::streamsize>(bytes.size()));
}

std::vector<uint8_t> Hex(const std::string& text) {
  std::vector<uint8_t> bytes(text.size());  // room for more bytes than the text can spell
  bytes.resize(Patch(bytes.data(), text));
  return bytes;
}

size_t Patch(uint8_t* bytes, const std::string& text) {
  std::istringstream in(text);
  size_t at = 0;
  for (std::string token; in >> token;) {
    if (token.back() == ':')
      at = std::stoul(token);
    else
      bytes[at++] = static_cast<uint8_t>(std::stoul(token, nullptr, 16));
  }
  return at;
}

std::vector<uint8_t> FactoryBytes() {
  // The options, the length qualifications, prefix and suffix; then zeros up
  // to the editing formats and from 230 on.
  std::vector<uint8_t> image(256);
  Patch(image.data(),
        "01 00 00 22 01 02 92 00 0A D9 25 09 00 00 38 A9 42 20 5E FF 04 FE 04 FF 04 FF 04 00 00 "
        "00 00 0D");
  // Each editing format: every code type, lengths 0 to 127, five fields
  // 80 00 00, and the sequence of field 1 alone.
  for (int at = 74; at < 230; at += 52)
    Patch(&image[at],
          "FF FF FF 00 7F 00 00 00 00 00 80 00 00 80 00 00 80 00 00 80 00 00 80 45: 10");
  return image;
}

#ifdef SKELV_PATH
Outcome RunSkelv(const std::string& args, const std::string& errPath, const std::string& inPath) {
  const std::string dir = MakeScratchDir();
  const std::string err = errPath.empty() ? dir + "/err" : errPath;
  const int raw = std::system(
      (std::string(SKELV_PATH) + " " + args + " >" + dir + "/out 2>" + err + " <" + inPath)
          .c_str());
  const std::vector<uint8_t> out = ReadWholeFile(dir + "/out");
  const std::vector<uint8_t> text = errPath.empty() ? ReadWholeFile(err) : std::vector<uint8_t>{};
  return {
      WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, {out.begin(), out.end()}, {text.begin(), text.end()}};
}
#endif
