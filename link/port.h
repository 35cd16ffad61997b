// The serial port as the link uses it: a plain handle record and free
// functions, implemented once for Win32 and once for POSIX terminals.
#pragma once

#include <cstddef>
#include <cstdint>

#include "link/port_settings.h"

struct Port {
  // The HANDLE on Windows, the file descriptor elsewhere; -1 while closed.
  intptr_t handle = -1;
  // The write time-outs in force (POSIX keeps them itself; Windows ignores these).
  uint32_t writeTimeoutPerByte = 0;
  uint32_t writeTimeoutConstant = 0;
};

// Opens `device` for reading and writing, for this process alone. Windows
// takes "COM1" .. "COM6" (or a full device path); POSIX any terminal path.
int OpenPort(Port& port, const char* device);

// Sets the driver's queue sizes; not applicable (and successful) on POSIX.
int SetPortQueues(Port& port, uint32_t inputBytes, uint32_t outputBytes);

// Applies the line; 0 when the platform refuses any part of it.
int ApplyLineState(Port& port, const LineState& line);

// The baud rate, byte size and parity the port has in force now; the other
// members of `line` are left alone. 0 when the platform cannot tell.
int ReadLineState(Port& port, LineState& line);

// Applies the time-outs. POSIX supports the reads that return at once, which
// are the only ones the link uses.
int ApplyLinkTimeouts(Port& port, const LinkTimeouts& timeouts);

// Reads what has arrived, at most `capacity` bytes, without waiting. Returns
// the count (0 when nothing is there yet) or -1 when the port failed.
long ReadPort(Port& port, uint8_t* buffer, size_t capacity);

// Writes all `size` bytes within the write time-outs; 1 or 0.
int WritePort(Port& port, const uint8_t* data, size_t size);

// Waits at most `milliseconds` for input to arrive, and may return earlier.
// Returns 0, or -1 when the port has failed (the device went away).
int WaitForPortInput(Port& port, uint32_t milliseconds);

// Discards the received bytes not read yet.
void PurgePortInput(Port& port);

void ClosePort(Port& port);

// Milliseconds of a monotonic clock; wraps around like the Win32 tick count.
uint32_t TickCount();

// The system's text for the last failure of a function above.
const char* PortErrorText();
