// Key-code strings of any bytes and field length: the rendering is printable
// and stays within the field, and reading it back renders the same keys.
#include <fuzzer/FuzzedDataProvider.h>

#include <vector>

#include "keycodes/key_code_parse.h"
#include "keycodes/key_code_string.h"
#include "tests/fuzz/fuzz_check.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzedDataProvider input(data, size);
  const auto mode = static_cast<InterfaceKind>(input.ConsumeIntegralInRange(0, 2));
  const size_t capacity = input.ConsumeIntegralInRange<size_t>(1, 64);
  std::vector<uint8_t> field = input.ConsumeBytes<uint8_t>(capacity);
  field.resize(capacity);

  std::string text;
  const KeyRendering rendering = RenderKeyCodeString(field, text, mode);
  Check(rendering.count >= 0 && static_cast<size_t>(rendering.count) <= capacity);
  Check(IsPlainText(text, false));

  // The keys the count covers render as the start of the text, and the text
  // read back renders the same again. (A flag byte with no key after it still
  // shows its modifiers; the codes whose names are empty show as "[]", which
  // names no one key; a scan code may read back as the key of the same name.)
  const std::span<const uint8_t> keys(field.data(), static_cast<size_t>(rendering.count));
  std::string counted;
  RenderKeyCodeString(keys, counted, mode);
  Check(text.starts_with(counted));
  if (counted.find("[]") != counted.npos) return 0;
  const KeyParse parse = ParseKeyCodeString(counted, mode);
  Check(parse.error.empty() && parse.bytes.size() <= capacity);
  std::string reread;
  RenderKeyCodeString(parse.bytes, reread, mode);
  Check(reread == counted);
  return 0;
}
