// Scans cut from what a line delivers: a scan ends when the line has been
// quiet for a few character times.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

// Four characters of up to 11 bits at `baud`, but at least 20 ms, plus the
// pause the scanner itself may leave between characters.
uint32_t ScanQuietMs(uint32_t baud, uint32_t interCharDelayMs = 0);

struct ScanCapture {
  std::vector<uint8_t> bytes;  // the scan so far
  uint32_t lastTick = 0;       // TickCount() when its last byte came
};

// Adds what arrived at `tick` to the scan.
void AddToScan(ScanCapture& capture, const uint8_t* data, size_t size, uint32_t tick);

// Moves out the scan once `quietMs` have passed since its last byte; false
// (and nothing moved) while none has ended.
bool TakeEndedScan(ScanCapture& capture, uint32_t now, uint32_t quietMs,
                   std::vector<uint8_t>& scan);
