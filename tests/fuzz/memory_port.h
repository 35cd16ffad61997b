// An in-memory implementation of link/port.h on a virtual clock: what the host
// writes is kept, and a peer procedure schedules the bytes that arrive in reply.
// Waiting moves the clock, so deadlines cost no real time.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

struct Arrival {
  uint32_t at;  // virtual tick
  std::string bytes;
};

struct MemoryLine {
  uint32_t now = 0;
  std::string wire;               // everything written so far
  std::vector<std::string> read;  // what was read after each write, one entry a write
  std::vector<Arrival> arrivals;  // in order of time
  bool readFails = false;         // the port fails on the next read or wait
  bool writeFails = false;        // the next write fails
  void (*peer)(void* context, std::string_view written) = nullptr;
  void* context = nullptr;
};

// The one line the port functions work on.
extern MemoryLine memoryLine;

// Queues `bytes` to arrive `delay` ticks from now.
void Schedule(uint32_t delay, std::string bytes);
