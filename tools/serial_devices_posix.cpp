// Serial device discovery on Linux: /dev patterns, sysfs for ports that are
// really there, and /proc and UUCP lock files for the processes holding them.
#include "tools/serial_devices.h"

#include <fcntl.h>
#include <glob.h>
#include <signal.h>
#include <sys/file.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>

namespace fs = std::filesystem;

namespace {

// ttyUSB2 before ttyUSB10.
std::vector<std::string> NaturalOrder(std::vector<std::string> names) {
  std::sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
    return strverscmp(a.c_str(), b.c_str()) < 0;
  });
  return names;
}

std::vector<std::string> Glob(const std::string& pattern) {
  std::vector<std::string> matches;
  glob_t found{};
  if (glob(pattern.c_str(), 0, nullptr, &found) == 0)
    matches.assign(found.gl_pathv, found.gl_pathv + found.gl_pathc);
  globfree(&found);
  return NaturalOrder(std::move(matches));
}

// The kernel makes ttyS devices for every possible UART; those without one
// report type 0.
bool PortPresent(const std::string& device) {
  std::ifstream type("/sys/class/tty/" + fs::path(device).filename().string() + "/type");
  int value = -1;
  return !(type >> value) || value != 0;
}

std::string Holder(const std::string& pid) {
  std::ifstream comm("/proc/" + pid + "/comm");
  std::string name;
  std::getline(comm, name);
  return "pid " + pid + (name.empty() ? "" : " " + name);
}

// Other processes with `real` open, as far as /proc shows them, and the owner
// of a UUCP lock file on it.
std::vector<std::string> Holders(const fs::path& real) {
  std::vector<std::string> holders;
  std::error_code ec;
  const std::string self = std::to_string(getpid());
  for (const fs::directory_entry& process : fs::directory_iterator("/proc", ec)) {
    const std::string pid = process.path().filename().string();
    if (pid.find_first_not_of("0123456789") != std::string::npos || pid == self) continue;
    std::error_code denied;
    for (const fs::directory_entry& fd : fs::directory_iterator(process.path() / "fd", denied)) {
      std::error_code gone;
      if (fs::read_symlink(fd.path(), gone) == real) {
        holders.push_back(Holder(pid));
        break;
      }
    }
  }
  for (const char* dir : {"/run/lock/", "/var/lock/"}) {
    std::ifstream lock(dir + ("LCK.." + real.filename().string()));
    long pid = 0;
    if (!(lock >> pid) || pid <= 0 || (kill(static_cast<pid_t>(pid), 0) != 0 && errno != EPERM))
      continue;
    const std::string holder = Holder(std::to_string(pid));
    if (std::find(holders.begin(), holders.end(), holder) == holders.end())
      holders.push_back(holder);
  }
  return holders;
}

}  // namespace

const char kPortPatternExample[] = "'/dev/ttyUSB*'";

bool IsPattern(const std::string& port) {
  return port.find_first_of("*?[") != std::string::npos;
}

bool ExpandPorts(std::span<const std::string> given, std::vector<std::string>& devices,
                 std::string& error) {
  devices.clear();
  for (const std::string& port : given) {
    const std::vector<std::string> matches = IsPattern(port) ? Glob(port) : std::vector{port};
    if (matches.empty()) {
      error = "no device matches " + port;
      return false;
    }
    for (const std::string& device : matches)
      if (std::find(devices.begin(), devices.end(), device) == devices.end())
        devices.push_back(device);
  }
  return true;
}

std::vector<std::string> SerialDevices() {
  std::vector<std::string> devices;
  std::error_code ec;
  for (const fs::directory_entry& link : fs::directory_iterator("/dev/serial/by-id", ec))
    devices.push_back(link.path().string());
  devices = NaturalOrder(std::move(devices));
  for (const char* pattern : {"/dev/ttyS*", "/dev/ttyUSB*", "/dev/ttyACM*"})
    for (const std::string& device : Glob(pattern))
      if (PortPresent(device)) devices.push_back(device);
  return devices;
}

std::string DeviceLabel(const std::string& device) {
  std::error_code ec;
  const fs::path target = fs::canonical(device, ec);
  return !ec && target != device ? device + " -> " + target.string() : device;
}

std::string DeviceStatus(const std::string& device) {
  std::error_code ec;
  const fs::path real = fs::canonical(device, ec);
  const int fd = open(device.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0 && errno != EBUSY) return std::string("not openable: ") + std::strerror(errno);
  // Busy: kept exclusive (TIOCEXCL or the lock skelv takes), or open elsewhere.
  bool busy = fd < 0;
  if (fd >= 0) {
    busy = flock(fd, LOCK_EX | LOCK_NB) != 0;
    close(fd);
  }
  const std::vector<std::string> holders = Holders(ec ? fs::path(device) : real);
  if (!busy && holders.empty()) return "free";
  std::string by;
  for (const std::string& holder : holders) by += (by.empty() ? " (" : ", ") + holder;
  return "busy" + by + (by.empty() ? "" : ")");
}
