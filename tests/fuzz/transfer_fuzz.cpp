// Download and read-back against a scanner whose every reply the input may
// replace by other bytes, silence or a failing port, at any delay. A failed
// read-back leaves the image alone; what reaches the wire decodes back to the
// image; a line never lands outside its receive area.
#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <array>
#include <cstring>
#include <string>
#include <vector>

#include "link/port.h"
#include "link/simulator.h"
#include "link/transfer.h"
#include "settings/value_texts.h"
#include "tests/fuzz/fuzz_check.h"

namespace {

struct Scanner {
  FuzzedDataProvider* input;
  Simulator simulator;
  bool genuine = true;  // every reply so far was the simulator's own, in time
};

// The port the transfers use, in memory and on a virtual clock: what the host
// writes is kept and answered by Answer() below, whose replies arrive at the
// ticks it chose. Waiting moves the clock, so deadlines cost no real time.
struct Arrival {
  uint32_t at;  // virtual tick
  std::string bytes;
};
struct Memory {
  uint32_t now = 0;
  std::string wire;                   // everything written so far
  std::vector<std::string> read{""};  // what was read before the first write, after each
  std::vector<Arrival> arrivals;      // in order of time
  bool readFails = false;             // the port fails on the next read or wait
  bool writeFails = false;            // the next write fails
  Scanner* scanner = nullptr;
} memory;

void Answer(Scanner& s, std::string_view written);

// Queues `bytes` to arrive `delay` ticks from now, ordered by time relative
// to now, so that the clock may wrap around.
void Schedule(uint32_t delay, std::string bytes) {
  const uint32_t at = memory.now + delay;
  const auto later = std::find_if(memory.arrivals.begin(), memory.arrivals.end(),
                                  [delay](const Arrival& a) { return a.at - memory.now > delay; });
  memory.arrivals.insert(later, {at, std::move(bytes)});
}

}  // namespace

long ReadPort(Port&, uint8_t* buffer, size_t capacity) {
  if (memory.readFails) return -1;
  size_t got = 0;
  while (got < capacity && !memory.arrivals.empty() &&
         static_cast<int32_t>(memory.arrivals.front().at - memory.now) <= 0) {
    std::string& bytes = memory.arrivals.front().bytes;
    const size_t n = std::min(capacity - got, bytes.size());
    std::memcpy(buffer + got, bytes.data(), n);
    memory.read.back().append(bytes, 0, n);
    got += n;
    bytes.erase(0, n);
    if (bytes.empty()) memory.arrivals.erase(memory.arrivals.begin());
  }
  return static_cast<long>(got);
}

int WritePort(Port&, const uint8_t* data, size_t size) {
  if (memory.writeFails) return 0;
  const std::string_view written(reinterpret_cast<const char*>(data), size);
  memory.wire += written;
  memory.read.emplace_back();
  if (memory.scanner) Answer(*memory.scanner, written);
  return 1;
}

int WaitForPortInput(Port&, uint32_t milliseconds) {
  if (memory.readFails) return -1;
  uint32_t step = milliseconds;
  if (!memory.arrivals.empty())
    step = std::min(step, std::max<uint32_t>(1, memory.arrivals.front().at - memory.now));
  memory.now += step;
  return 0;
}

uint32_t TickCount() {
  return memory.now;
}

namespace {

// Each command gets the simulator's reply, possibly in two pieces, or in its
// place other bytes, nothing, or a port that fails.
void Answer(Scanner& s, std::string_view written) {
  FuzzedDataProvider& in = *s.input;
  std::string reply;
  for (const std::string& line :
       FeedSimulator(s.simulator,
                     std::span(reinterpret_cast<const uint8_t*>(written.data()), written.size())))
    reply += line;
  const uint32_t delay = in.ConsumeIntegralInRange<uint32_t>(0, 2500);
  const int choice = in.ConsumeIntegralInRange(0, 5);  // 0 to 2: the reply itself
  if (choice < 3) {
    const size_t cut = in.ConsumeIntegralInRange<size_t>(0, reply.size());
    Schedule(delay / 4, reply.substr(0, cut));
    Schedule(delay / 2, reply.substr(cut));
    s.genuine = s.genuine && delay / 2 < 1000;
    return;
  }
  if (choice == 3) Schedule(delay, in.ConsumeRandomLengthString(48));
  if (choice == 5) (in.ConsumeBool() ? memory.readFails : memory.writeFails) = true;
  s.genuine = false;  // 3: other bytes, 4: nothing, 5: a failing port
}

// A command digit: upper-case hexadecimal, or '@', which scanners of the old
// version class take for 9.
int DigitValue(char c) {
  return c == '@' ? 9 : c >= 'a' ? -1 : HexDigitValue(c);
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
  for (const std::string& reply : memory.read)
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
                             memory.now + 1000, length, fault);
  Check(std::all_of(buffer.begin(), buffer.begin() + kGuard, [](char c) { return c == '#'; }));
  Check(std::all_of(buffer.begin() + kGuard + area, buffer.end(), [](char c) { return c == '#'; }));
  if (ok) Check(length >= 1 && length <= area && buffer[kGuard + length - 1] == '\r');
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzedDataProvider in(data, size);
  memory = Memory{};
  memory.now = in.ConsumeIntegral<uint32_t>();
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
  memory.scanner = &scanner;

  Port port;
  LinkFailure failure;
  const SettingsImage before = image;
  if (operation == 0) {
    const int ok = DownloadImage(port, image, {}, &failure);
    SettingsImage sent = before;
    const bool allBlocks = WireImage(memory.wire, sent);
    if (ok) Check(allBlocks && sent.bytes == image.bytes);
    if (ok) Check(CountReplies(IsAcknowledgement) >= kBlockCount + 1);
    if (ok && scanner.genuine) Check(scanner.simulator.image.bytes == image.bytes);
  } else {
    const int ok = ReadBackImage(port, image, {}, &failure);
    if (!ok) Check(image.bytes == before.bytes);
    if (ok) Check(CountReplies(IsBlockLine) >= kBlockCount);
    if (scanner.genuine) Check(ok && image.bytes == scannerImage.bytes);
  }
  return 0;
}
