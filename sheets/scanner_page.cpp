// The "Scanner" page: scan mode, redundancy, delays, time-out, buzzer and LED.
#include "sheets/scanner_page.h"

#include "resources/resource_ids.h"

namespace {

constexpr const char* kRedundancies[] = {"None", "One time", "Two times", "Three times"};
constexpr const char* kBuzzerFrequencies[] = {"8 KHz", "4 KHz", "2 KHz", "1 KHz"};

// In the order the page loads and stores them.
const Binding kRows[] = {
    List(IDC_SCAN_MODE, field::scanningMode, kScanningModeTexts),
    List(IDC_READ_REDUNDANCY, field::readRedundancy, kRedundancies),
    List(IDC_REREAD_DELAY, field::rereadDelay, kRereadDelayTexts),
    List(IDC_BUZZER_FREQUENCY, field::buzzerFrequency, kBuzzerFrequencies),
    Number(IDC_SCAN_TIMEOUT, field::scanTimeout, IDC_SCAN_TIMEOUT_SPIN),
    Check(IDC_NEGATIVE_BARCODE, field::negativeBarcode),
    Check(IDC_GOOD_READ_LED, field::goodReadLed),
    Check(IDC_BUZZER_OFF, field::buzzerOff),
    Check(IDC_AUTO_SENSE, field::autoSense),
    // Shown for the scanner's other models.
    Disabled(IDC_TRANSMIT_BUFFER),
    Disabled(IDC_TRANSMISSION_DELAY_LABEL),
    Disabled(IDC_TRANSMISSION_DELAY),
    Disabled(IDC_MEMORY_SCANNER),
    Disabled(IDC_DATA_DELAY_LABEL),
    Disabled(IDC_DATA_DELAY),
};

}  // namespace

const DialogTable kScannerPage{kScannerDialog, kRows};
