// The "Scanner" page: scan mode, redundancy, delays, time-out, buzzer and LED.
#include "sheets/scanner_page.h"

#include "resources/resource_ids.h"
#include "sheets/page_binding.h"
#include "shell/dialog_items.h"

namespace {

constexpr const char* kScanModes[] = {"Auto Off",  "Continuous", "Auto Power Off", "Alternate",
                                      "Momentary", "Repeat",     "Laser",          "Testing"};
constexpr const char* kRedundancies[] = {"None", "One time", "Two times", "Three times"};
constexpr const char* kRereadDelays[] = {"0.1 sec", "0.2 sec", "0.4 sec", "0.8 sec",
                                         "1 sec",   "2 sec",   "3 sec",   "5 sec"};
constexpr const char* kBuzzerFrequencies[] = {"8 KHz", "4 KHz", "2 KHz", "1 KHz"};

// In the order the page loads and stores them.
constexpr ControlBinding kBindings[] = {
    {ControlKind::List, IDC_SCAN_MODE, field::scanningMode, kScanModes},
    {ControlKind::List, IDC_READ_REDUNDANCY, field::readRedundancy, kRedundancies},
    {ControlKind::List, IDC_REREAD_DELAY, field::rereadDelay, kRereadDelays},
    {ControlKind::List, IDC_BUZZER_FREQUENCY, field::buzzerFrequency, kBuzzerFrequencies},
    {ControlKind::Number, IDC_SCAN_TIMEOUT, field::scanTimeout, {}, IDC_SCAN_TIMEOUT_SPIN},
    {ControlKind::Check, IDC_NEGATIVE_BARCODE, field::negativeBarcode},
    {ControlKind::Check, IDC_GOOD_READ_LED, field::goodReadLed},
    {ControlKind::Check, IDC_BUZZER_OFF, field::buzzerOff},
    {ControlKind::Check, IDC_AUTO_SENSE, field::autoSense},
};

// Shown for the scanner's other models; bound to nothing and always disabled.
constexpr int kUnboundControls[] = {IDC_TRANSMIT_BUFFER,  IDC_TRANSMISSION_DELAY_LABEL,
                                    IDC_TRANSMISSION_DELAY, IDC_MEMORY_SCANNER,
                                    IDC_DATA_DELAY_LABEL, IDC_DATA_DELAY};

}  // namespace

INT_PTR CALLBACK ScannerPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG:
      LoadControls(page, kBindings);
      for (const int control : kUnboundControls) EnableItem(page, control, false);
      return TRUE;
    case WM_COMMAND:
      HandleBoundCommand(page, kBindings, wParam);
      return TRUE;
    case WM_NOTIFY:
      return HandlePageNotify(page, kBindings, lParam);
    default:
      return FALSE;
  }
}
