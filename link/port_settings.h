// The operator's serial-line choices and the line description, queue sizes and
// time-outs built from them for every connection.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

#include "settings/settings_image.h"

// Each choice is the index of the chosen entry in its list below. Plain bytes,
// so that the port dialog binds them as it binds the image's fields.
struct PortSettings {
  uint8_t comPort = 0;         // "COM1"
  uint8_t baudRate = 0;        // "38400"
  uint8_t dataBits = 1;        // "8"
  uint8_t parity = 0;          // "None"
  uint8_t flowControl = 0;     // "None"
  uint8_t verifyDownload = 0;  // 1: the program reads a download back and compares
};

// The settings as the bytes that hold them.
std::span<uint8_t> SettingsBytes(PortSettings& settings);
// Each choice as a whole-byte field of those bytes; the verify switch is bit 0.
using PortField = FieldOf<PortSettings>;
namespace portField {
inline constexpr PortField comPort{offsetof(PortSettings, comPort), 0xFF};
inline constexpr PortField baudRate{offsetof(PortSettings, baudRate), 0xFF};
inline constexpr PortField dataBits{offsetof(PortSettings, dataBits), 0xFF};
inline constexpr PortField parity{offsetof(PortSettings, parity), 0xFF};
inline constexpr PortField flowControl{offsetof(PortSettings, flowControl), 0xFF};
inline constexpr PortField verifyDownload{offsetof(PortSettings, verifyDownload), 0x01};
}  // namespace portField

// Kept for the life of the process, never written to disk.
extern PortSettings portSettings;

inline constexpr const char* kComPortEntries[] = {"COM1", "COM2", "COM3", "COM4", "COM5", "COM6"};
inline constexpr const char* kBaudRateEntries[] = {"38400", "19200", "9600",
                                                   "4800",  "2400",  "1200"};
inline constexpr uint32_t kBaudRates[] = {38400, 19200, 9600, 4800, 2400, 1200};
inline constexpr const char* kDataBitsEntries[] = {"7", "8"};
inline constexpr const char* kParityEntries[] = {"None", "Even", "Odd"};
inline constexpr const char* kFlowControlEntries[] = {"None", "Hardware", "Xon/Xoff"};

// The values are those of the Win32 DCB constants of the same meaning.
enum class LineParity : uint8_t { None = 0, Odd = 1, Even = 2 };
// The parity of each entry of kParityEntries.
inline constexpr LineParity kLineParities[] = {LineParity::None, LineParity::Even, LineParity::Odd};
enum class StopBits : uint8_t { One = 0 };
enum class DtrControl : uint8_t { Disable = 0 };
enum class RtsControl : uint8_t { Disable = 0, Enable = 1 };

inline constexpr char kXonChar = 0x11;
inline constexpr char kXoffChar = 0x13;

// The serial line handed to the platform: the fields of the Win32 DCB that the
// link sets; every other DCB field is zero.
struct LineState {
  uint32_t baudRate = 0;
  uint8_t byteSize = 0;
  LineParity parity = LineParity::None;
  bool parityCheck = false;  // fParity
  StopBits stopBits = StopBits::One;
  DtrControl dtrControl = DtrControl::Disable;
  RtsControl rtsControl = RtsControl::Disable;
  bool outxCtsFlow = false;
  bool outX = false;
  bool inX = false;
  // Always the XON/XOFF pair: Windows refuses a line whose two characters are
  // equal, even when software flow control is off.
  char xonChar = kXonChar;
  char xoffChar = kXoffChar;

  bool operator==(const LineState&) const = default;
};

LineState LineStateFromSettings(const PortSettings& settings);

// The Win32 COMMTIMEOUTS of the link, in milliseconds: reads return at once
// with whatever has arrived; replies are awaited against the tick counter.
struct LinkTimeouts {
  uint32_t readIntervalTimeout;
  uint32_t readTotalTimeoutMultiplier;
  uint32_t readTotalTimeoutConstant;
  uint32_t writeTotalTimeoutMultiplier;
  uint32_t writeTotalTimeoutConstant;
};
inline constexpr LinkTimeouts kLinkTimeouts{0xFFFFFFFF, 0, 0, 5, 50};

// Driver queue sizes in bytes.
inline constexpr uint32_t kInputQueueSize = 256;
inline constexpr uint32_t kOutputQueueSize = 1200;
