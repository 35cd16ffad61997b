// Download and read-back against a scanner whose every reply the input may
// replace by other bytes, silence or a failing port, at any delay. A failed
// read-back leaves the image alone; what reaches the wire decodes back to the
// image; a line never lands outside its receive area.
#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <array>
#include <cstring>

#include "link/simulator.h"
#include "link/transfer.h"
#include "tests/fuzz/fuzz_check.h"
#include "tests/fuzz/memory_port.h"

namespace {

struct Scanner {
  FuzzedDataProvider* input;
  Simulator simulator;
  bool genuine = true;  // every reply so far was the simulator's own, in time
};

// Each command gets the simulator's reply, possibly in two pieces, or in its
// place other bytes, nothing, or a port that fails.
void Answer(void* context, std::string_view written) {
  Scanner& s = *static_cast<Scanner*>(context);
  FuzzedDataProvider& in = *s.input;
  std::string reply;
  for (const std::string& line :
       FeedSimulator(s.simulator,
                     std::span(reinterpret_cast<const uint8_t*>(written.data()), written.size())))
    reply += line;
  const uint32_t delay = in.ConsumeIntegralInRange<uint32_t>(0, 2500);
  switch (in.ConsumeIntegralInRange(0, 5)) {
    case 0:
    case 1:
    case 2: {
      const size_t cut = in.ConsumeIntegralInRange<size_t>(0, reply.size());
      Schedule(delay / 4, reply.substr(0, cut));
      Schedule(delay / 2, reply.substr(cut));
      s.genuine = s.genuine && delay / 2 < 1000;
      return;
    }
    case 3:
      Schedule(delay, in.ConsumeRandomLengthString(48));
      break;
    case 4:
      break;
    case 5:
      (in.ConsumeBool() ? memoryLine.readFails : memoryLine.writeFails) = true;
      break;
  }
  s.genuine = false;
}

// A command digit; scanners of the old version class take 9 as '@'.
int DigitValue(char c) {
  if (c == '@') return 9;
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// The image as the block commands on the wire carry it: each block as last sent.
bool WireImage(const std::string& wire, SettingsImage& image) {
  std::array<bool, kBlockCount> seen{};
  for (size_t start = 0, end; (end = wire.find('\r', start)) != wire.npos; start = end + 1) {
    const std::string_view line(wire.data() + start, end - start);
    if (line == "VERSION" || line == "UPDATE" || line == "EXIT") continue;
    Check(line.size() == 36 && line.substr(1, 3) == "010");
    const int block = DigitValue(line[0]);
    Check(block >= 0);
    for (int k = 0; k < kBlockSize; ++k) {
      const int high = DigitValue(line[4 + 2 * k]), low = DigitValue(line[5 + 2 * k]);
      Check(high >= 0 && low >= 0);
      image.bytes[block * kBlockSize + k] = static_cast<uint8_t>(high * 16 + low);
    }
    seen[block] = true;
  }
  return std::all_of(seen.begin(), seen.end(), [](bool b) { return b; });
}

// How many commands got an `accepted` line as their whole reply. A command
// answered successfully took such a reply of its own.
int CountReplies(bool (*accepted)(std::string_view line)) {
  int count = 0;
  for (const std::string& reply : memoryLine.read)
    count += reply.ends_with('\r') && accepted(std::string_view(reply).substr(0, reply.size() - 1));
  return count;
}

// One reply line collected into an area inside guard bytes.
void ReceiveInto(FuzzedDataProvider& in) {
  constexpr size_t kGuard = 16;
  std::array<char, 64 + 2 * kGuard> buffer;
  buffer.fill('#');
  const size_t area = in.ConsumeIntegralInRange<size_t>(1, 64);
  const size_t chunk = in.ConsumeIntegralInRange<size_t>(1, 8);
  while (in.remaining_bytes() > 0)
    Schedule(in.ConsumeIntegralInRange<uint32_t>(0, 300), in.ConsumeRandomLengthString(24));
  Port port;
  size_t length = 0;
  LinkFault fault = LinkFault::None;
  const int ok = ReceiveLine(port, std::span(buffer).subspan(kGuard, area), chunk,
                             memoryLine.now + 1000, length, fault);
  Check(std::all_of(buffer.begin(), buffer.begin() + kGuard, [](char c) { return c == '#'; }));
  Check(std::all_of(buffer.begin() + kGuard + area, buffer.end(), [](char c) { return c == '#'; }));
  if (ok) Check(length >= 1 && length <= area && buffer[kGuard + length - 1] == '\r');
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzedDataProvider in(data, size);
  memoryLine = MemoryLine{};
  memoryLine.now = in.ConsumeIntegral<uint32_t>();
  const int operation = in.ConsumeIntegralInRange(0, 2);
  if (operation == 2) {
    ReceiveInto(in);
    return 0;
  }

  SimulatorOptions options;
  options.version = in.PickValueInArray({"Ver:2.00", "Ver:1.50", "Ver:3.01"});
  options.answersVersion = in.ConsumeBool();
  options.lowercase = in.ConsumeBool();
  SettingsImage scannerImage{}, image{};
  for (uint8_t& b : scannerImage.bytes) b = in.ConsumeIntegral<uint8_t>();
  for (uint8_t& b : image.bytes) b = in.ConsumeIntegral<uint8_t>();
  Scanner scanner{&in, MakeSimulator(options, scannerImage)};
  memoryLine.peer = Answer;
  memoryLine.context = &scanner;

  Port port;
  LinkFailure failure;
  const SettingsImage before = image;
  if (operation == 0) {
    const int ok = DownloadImage(port, image, {}, &failure);
    SettingsImage sent = before;
    const bool allBlocks = WireImage(memoryLine.wire, sent);
    if (ok) Check(allBlocks && sent.bytes == image.bytes);
    if (ok) Check(CountReplies(IsAcknowledgement) >= kBlockCount + 1);
    if (ok && scanner.genuine) Check(scanner.simulator.image.bytes == image.bytes);
  } else {
    const int ok = ReadBackImage(port, image, {}, &failure);
    if (!ok) Check(image.bytes == before.bytes);
    if (ok) Check(CountReplies(IsBlockLine) >= kBlockCount);
    if (scanner.genuine) Check(ok && image.bytes == scannerImage.bytes);
  }
  if (failure.step != LinkStep::None) Check(IsPlainText(DescribeLinkFailure(failure), false));
  return 0;
}
