// The port on Windows: the Win32 serial functions and the tick counter.
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "link/port.h"

static_assert(static_cast<int>(LineParity::None) == NOPARITY);
static_assert(static_cast<int>(LineParity::Odd) == ODDPARITY);
static_assert(static_cast<int>(LineParity::Even) == EVENPARITY);
static_assert(static_cast<int>(StopBits::One) == ONESTOPBIT);
static_assert(static_cast<int>(DtrControl::Disable) == DTR_CONTROL_DISABLE);
static_assert(static_cast<int>(RtsControl::Disable) == RTS_CONTROL_DISABLE);
static_assert(static_cast<int>(RtsControl::Enable) == RTS_CONTROL_ENABLE);

namespace {

thread_local char errorText[160] = "";  // per thread, as errno is

int Fail() {
  const DWORD error = GetLastError();
  const DWORD length =
      FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, error,
                     0, errorText, sizeof errorText, nullptr);
  if (length == 0) std::snprintf(errorText, sizeof errorText, "system error %lu", error);
  for (size_t n = std::strlen(errorText); n > 0 && (errorText[n - 1] == '\r' ||
                                                    errorText[n - 1] == '\n' ||
                                                    errorText[n - 1] == '.');)
    errorText[--n] = '\0';
  return 0;
}

HANDLE Handle(const Port& port) { return reinterpret_cast<HANDLE>(port.handle); }

}  // namespace

int OpenPort(Port& port, const char* device) {
  // The device namespace form opens every COM port, also those above COM9.
  const std::string path = std::strchr(device, '\\') ? device : std::string("\\\\.\\") + device;
  const HANDLE handle = CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                    OPEN_EXISTING, 0, nullptr);
  if (handle == INVALID_HANDLE_VALUE) return Fail();
  port = Port{};
  port.handle = reinterpret_cast<intptr_t>(handle);
  return 1;
}

int SetPortQueues(Port& port, uint32_t inputBytes, uint32_t outputBytes) {
  return SetupComm(Handle(port), inputBytes, outputBytes) ? 1 : Fail();
}

int ApplyLineState(Port& port, const LineState& line) {
  DCB dcb{};
  dcb.DCBlength = sizeof dcb;
  dcb.BaudRate = line.baudRate;
  dcb.fBinary = TRUE;  // Windows supports binary mode only
  dcb.fParity = line.parityCheck;
  dcb.fOutxCtsFlow = line.outxCtsFlow;
  dcb.fDtrControl = static_cast<DWORD>(line.dtrControl);
  dcb.fOutX = line.outX;
  dcb.fInX = line.inX;
  dcb.fRtsControl = static_cast<DWORD>(line.rtsControl);
  dcb.ByteSize = line.byteSize;
  dcb.Parity = static_cast<BYTE>(line.parity);
  dcb.StopBits = static_cast<BYTE>(line.stopBits);
  dcb.XonChar = line.xonChar;
  dcb.XoffChar = line.xoffChar;
  return SetCommState(Handle(port), &dcb) ? 1 : Fail();
}

int ReadLineState(Port& port, LineState& line) {
  DCB dcb{};
  dcb.DCBlength = sizeof dcb;
  if (!GetCommState(Handle(port), &dcb)) return Fail();
  line.baudRate = dcb.BaudRate;
  line.byteSize = dcb.ByteSize;
  line.parity = static_cast<LineParity>(dcb.Parity);
  return 1;
}

int ApplyLinkTimeouts(Port& port, const LinkTimeouts& timeouts) {
  COMMTIMEOUTS t{timeouts.readIntervalTimeout, timeouts.readTotalTimeoutMultiplier,
                 timeouts.readTotalTimeoutConstant, timeouts.writeTotalTimeoutMultiplier,
                 timeouts.writeTotalTimeoutConstant};
  return SetCommTimeouts(Handle(port), &t) ? 1 : Fail();
}

long ReadPort(Port& port, uint8_t* buffer, size_t capacity) {
  DWORD got = 0;
  if (!ReadFile(Handle(port), buffer, static_cast<DWORD>(capacity), &got, nullptr)) {
    Fail();
    return -1;
  }
  return static_cast<long>(got);
}

int WritePort(Port& port, const uint8_t* data, size_t size) {
  DWORD put = 0;
  if (!WriteFile(Handle(port), data, static_cast<DWORD>(size), &put, nullptr)) return Fail();
  if (put != size) {
    SetLastError(ERROR_TIMEOUT);
    return Fail();
  }
  return 1;
}

// Reads return at once, so waiting is a short sleep between polls; it keeps the
// processor free without delaying a reply by more than a tick.
int WaitForPortInput(Port&, uint32_t milliseconds) {
  Sleep(milliseconds < 1 ? milliseconds : 1);
  return 0;
}

void PurgePortInput(Port& port) { PurgeComm(Handle(port), PURGE_RXCLEAR); }

void ClosePort(Port& port) {
  if (port.handle == -1) return;
  CloseHandle(Handle(port));
  port = Port{};
}

uint32_t TickCount() { return GetTickCount(); }

const char* PortErrorText() { return errorText; }
