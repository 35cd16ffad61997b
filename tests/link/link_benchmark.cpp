// Times one download and one read-back against `skelv simulate --delay-ms 0`
// and prints the wall time and this process's processor time for each.
#include <signal.h>
#include <time.h>

#include <chrono>
#include <cstdio>

#include "link/connection.h"
#include "link/transfer.h"
#include "settings/factory_defaults.h"
#include "tests/link/simulator_process.h"

namespace {

double CpuSeconds() {
  timespec t{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
  return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) / 1e9;
}

template <class Transfer>
bool Time(const char* name, Transfer transfer) {
  const auto wallStart = std::chrono::steady_clock::now();
  const double cpuStart = CpuSeconds();
  const int done = transfer();
  const double cpu = CpuSeconds() - cpuStart;
  const double wall =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - wallStart).count();
  std::printf("%-10s %s  wall %7.1f ms  cpu %7.1f ms\n", name, done ? "ok    " : "FAILED",
              wall * 1000, cpu * 1000);
  return done;
}

}  // namespace

int main() {
  SimulatorProcess simulator;
  if (!StartSimulator(simulator, {"--delay-ms", "0"})) {
    std::fprintf(stderr, "link_benchmark: cannot start %s simulate\n", SKELV_PATH);
    return 1;
  }
  Port port;
  if (OpenScannerPort(port, simulator.device.c_str(), PortSettings{}) != PortOpenResult::Opened) {
    std::fprintf(stderr, "link_benchmark: cannot open %s: %s\n", simulator.device.c_str(),
                 PortErrorText());
    StopSimulator(simulator, SIGTERM);
    return 1;
  }
  SettingsImage image = FactoryImage();
  const bool ok = Time("download", [&] { return DownloadImage(port, image, TransferProgress{}); }) &
                  Time("read-back", [&] { return ReadBackImage(port, image, TransferProgress{}); });
  CloseScannerPort(port);
  StopSimulator(simulator, SIGTERM);
  return ok ? 0 : 1;
}
