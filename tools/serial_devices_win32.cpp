// Serial device discovery on Windows: the COM ports that the registry's
// SERIALCOMM key or the DOS device names know, patterns over them, and
// whether each opens.
#include <windows.h>

#include <algorithm>
#include <cctype>
#include <cstring>

#include "tools/host.h"
#include "tools/serial_devices.h"

namespace {

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

int Upper(char c) {
  return std::toupper(static_cast<unsigned char>(c));
}

bool SameName(const std::string& a, const std::string& b) {
  return _stricmp(a.c_str(), b.c_str()) == 0;
}

// COM2 before COM10: runs of digits compare by value (the names carry no
// leading zeros), the rest without regard to case.
bool NaturalLess(const std::string& a, const std::string& b) {
  size_t i = 0, j = 0;
  while (i < a.size() && j < b.size()) {
    if (IsDigit(a[i]) && IsDigit(b[j])) {
      size_t endA = i, endB = j;
      while (endA < a.size() && IsDigit(a[endA])) ++endA;
      while (endB < b.size() && IsDigit(b[endB])) ++endB;
      if (endA - i != endB - j) return endA - i < endB - j;
      const int order = a.compare(i, endA - i, b, j, endB - j);
      if (order != 0) return order < 0;
      i = endA;
      j = endB;
    } else {
      if (Upper(a[i]) != Upper(b[j])) return Upper(a[i]) < Upper(b[j]);
      ++i;
      ++j;
    }
  }
  return a.size() - i < b.size() - j;
}

// * and ? as in Windows file patterns, without regard to case.
bool Matches(const char* pattern, const char* name) {
  for (; *pattern; ++pattern, ++name) {
    if (*pattern == '*') {
      for (const char* rest = name;; ++rest) {
        if (Matches(pattern + 1, rest)) return true;
        if (!*rest) return false;
      }
    }
    if (!*name || (*pattern != '?' && Upper(*pattern) != Upper(*name))) return false;
  }
  return !*name;
}

bool IsComName(const char* name) {
  if (_strnicmp(name, "COM", 3) != 0 || !IsDigit(name[3])) return false;
  for (const char* c = name + 3; *c; ++c)
    if (!IsDigit(*c)) return false;
  return true;
}

void AddOnce(std::vector<std::string>& names, const std::string& name) {
  for (const std::string& known : names)
    if (SameName(known, name)) return;
  names.push_back(name);
}

// The values of SERIALCOMM map each serial driver's device to the port's
// name: COM3, or whatever a virtual port driver chose.
void AddRegisteredPorts(std::vector<std::string>& names) {
  HKEY key;
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, "HARDWARE\\DEVICEMAP\\SERIALCOMM", 0, KEY_QUERY_VALUE,
                    &key) != ERROR_SUCCESS)
    return;
  for (DWORD i = 0;; ++i) {
    char value[256], data[64];
    DWORD valueSize = sizeof value, dataSize = sizeof data - 1, type = 0;
    const LSTATUS status = RegEnumValueA(key, i, value, &valueSize, nullptr, &type,
                                         reinterpret_cast<BYTE*>(data), &dataSize);
    if (status == ERROR_NO_MORE_ITEMS) break;
    if (status != ERROR_SUCCESS || type != REG_SZ) continue;
    data[dataSize] = '\0';
    if (data[0]) AddOnce(names, data);
  }
  RegCloseKey(key);
}

// Some virtual port drivers leave SERIALCOMM alone but still make a DOS
// device; among all those, the COM ones.
void AddDosDevicePorts(std::vector<std::string>& names) {
  std::vector<char> all(64 * 1024);
  DWORD length = 0;
  while ((length = QueryDosDeviceA(nullptr, all.data(), static_cast<DWORD>(all.size()))) == 0 &&
         GetLastError() == ERROR_INSUFFICIENT_BUFFER && all.size() < 16 * 1024 * 1024)
    all.resize(all.size() * 2);
  for (const char* name = all.data(); name < all.data() + length && *name;
       name += std::strlen(name) + 1)
    if (IsComName(name)) AddOnce(names, name);
}

}  // namespace

const char kPortPatternExample[] = "COM*";

bool IsPattern(const std::string& port) {
  // \\?\ and \\.\ paths are device names as they are.
  return port.rfind("\\\\", 0) != 0 && port.find_first_of("*?") != std::string::npos;
}

bool ExpandPorts(std::span<const std::string> given, std::vector<std::string>& devices,
                 std::string& error) {
  devices.clear();
  std::vector<std::string> present;
  bool looked = false;
  for (const std::string& port : given) {
    std::vector<std::string> matches;
    if (!IsPattern(port)) {
      matches.push_back(port);
    } else {
      if (!looked) present = SerialDevices();
      looked = true;
      for (const std::string& device : present)
        if (Matches(port.c_str(), device.c_str())) matches.push_back(device);
    }
    if (matches.empty()) {
      error = "no device matches ";
      error += port;
      return false;
    }
    for (const std::string& device : matches) AddOnce(devices, device);
  }
  return true;
}

std::vector<std::string> SerialDevices() {
  std::vector<std::string> names;
  AddRegisteredPorts(names);
  AddDosDevicePorts(names);
  std::sort(names.begin(), names.end(), NaturalLess);
  return names;
}

std::string DeviceLabel(const std::string& device) {
  return device;
}

std::string DeviceStatus(const std::string& device) {
  // Opened as a transfer opens it: the driver lets one handle at a time.
  std::string path = device.find('\\') != std::string::npos ? "" : "\\\\.\\";
  path += device;
  const HANDLE handle = CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                    OPEN_EXISTING, 0, nullptr);
  if (handle != INVALID_HANDLE_VALUE) {
    CloseHandle(handle);
    return "free";
  }
  const DWORD error = GetLastError();
  if (error == ERROR_ACCESS_DENIED || error == ERROR_SHARING_VIOLATION) return "busy";
  std::string status = "not openable: ";
  status += LastErrorText();
  return status;
}
