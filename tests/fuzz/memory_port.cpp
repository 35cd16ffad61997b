// The port functions over memoryLine.
#include "tests/fuzz/memory_port.h"

#include <algorithm>
#include <cstring>

#include "link/port.h"

MemoryLine memoryLine;

void Schedule(uint32_t delay, std::string bytes) {
  const Arrival arrival{memoryLine.now + delay, std::move(bytes)};
  auto& queue = memoryLine.arrivals;
  // Ordered by time relative to now, so that the clock may wrap around.
  const auto later = std::find_if(queue.begin(), queue.end(), [&](const Arrival& a) {
    return a.at - memoryLine.now > arrival.at - memoryLine.now;
  });
  queue.insert(later, arrival);
}

long ReadPort(Port&, uint8_t* buffer, size_t capacity) {
  if (memoryLine.readFails) return -1;
  size_t got = 0;
  auto& queue = memoryLine.arrivals;
  while (got < capacity && !queue.empty() &&
         static_cast<int32_t>(queue.front().at - memoryLine.now) <= 0) {
    std::string& bytes = queue.front().bytes;
    const size_t n = std::min(capacity - got, bytes.size());
    std::memcpy(buffer + got, bytes.data(), n);
    if (memoryLine.read.empty()) memoryLine.read.emplace_back();
    memoryLine.read.back().append(bytes, 0, n);
    got += n;
    bytes.erase(0, n);
    if (bytes.empty()) queue.erase(queue.begin());
  }
  return static_cast<long>(got);
}

int WritePort(Port&, const uint8_t* data, size_t size) {
  if (memoryLine.writeFails) return 0;
  const std::string_view written(reinterpret_cast<const char*>(data), size);
  memoryLine.wire += written;
  memoryLine.read.emplace_back();
  if (memoryLine.peer) memoryLine.peer(memoryLine.context, written);
  return 1;
}

int WaitForPortInput(Port&, uint32_t milliseconds) {
  if (memoryLine.readFails) return -1;
  uint32_t step = milliseconds;
  if (!memoryLine.arrivals.empty())
    step = std::min(step, std::max<uint32_t>(1, memoryLine.arrivals.front().at - memoryLine.now));
  memoryLine.now += step;
  return 0;
}

uint32_t TickCount() {
  return memoryLine.now;
}
