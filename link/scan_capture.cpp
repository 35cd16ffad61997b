// Cutting scans at the quiet time.
#include "link/scan_capture.h"

#include <utility>

namespace {

constexpr uint32_t kCharactersQuiet = 4;
constexpr uint32_t kBitsPerCharacter = 11;  // start, 8 data, parity, stop
constexpr uint32_t kLeastQuietMs = 20;

}  // namespace

uint32_t ScanQuietMs(uint32_t baud, uint32_t interCharDelayMs) {
  const uint32_t characters =
      baud ? (kCharactersQuiet * kBitsPerCharacter * 1000 + baud - 1) / baud : kLeastQuietMs;
  return (characters > kLeastQuietMs ? characters : kLeastQuietMs) + interCharDelayMs;
}

void AddToScan(ScanCapture& capture, const uint8_t* data, size_t size, uint32_t tick) {
  capture.bytes.insert(capture.bytes.end(), data, data + size);
  capture.lastTick = tick;
}

bool TakeEndedScan(ScanCapture& capture, uint32_t now, uint32_t quietMs,
                   std::vector<uint8_t>& scan) {
  if (capture.bytes.empty() || now - capture.lastTick < quietMs) return false;
  scan = std::move(capture.bytes);
  capture.bytes.clear();
  return true;
}
