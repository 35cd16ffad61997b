// Value texts as the report prints them.
#include "settings/value_texts.h"

namespace {
constexpr const char* kKeyboardTypes[] = {"PCAT (US)",
                                          "PCAT (French)",
                                          "PCAT (German)",
                                          "PCAT (Italy)",
                                          "PCAT (Swedish)",
                                          "PCAT (Norwegian)",
                                          "PCAT (UK)",
                                          "PCAT (Belgium)",
                                          "PCAT (Spanish)",
                                          "PCAT (Portuguese)",
                                          "PS55 A01-1",
                                          "PS55 A01-2",
                                          "PS55 A01-3",
                                          "PS55 001-1",
                                          "PS55 001-81",
                                          "PS55 001-2",
                                          "PS55 001-82",
                                          "PS55 001-3",
                                          "PS55 001-8A",
                                          "PS55 002-1, 003-1",
                                          "PS55 002-81, 003-81",
                                          "PS55 002-2, 003-2",
                                          "PS55 002-82, 003-82",
                                          "PS55 002-3, 003-3",
                                          "PS55 002-8A, 003-8A",
                                          "IBM 3477 (Japanese)",
                                          "PS2-30",
                                          "IBM 34XX/319X, Memorex Telex 122 Keys"};
constexpr const char* kInterface[] = {"Keyboard Wedge", "RS-232", "Wand Emulation"};
constexpr const char* kSwitch[] = {"Disable", "Enable"};
constexpr const char* kDigitsTransmission[] = {"Alpha Numeric Key Pad", "Numeric Key Pad"};
constexpr const char* kCapsLockType[] = {"Normal", "Capital Lock", "Capital Lock", "Shift Lock"};
constexpr const char* kDigitsLayout[] = {"Normal", "Lower Row", "Lower Row", "Upper Row"};
constexpr const char* kAlphabetsTransmission[] = {"Case Sensitive", "Ignore Case"};
constexpr const char* kCapsLockState[] = {"OFF", "ON", "Auto Detection"};
constexpr const char* kBaudRate[] = {"38400", "19200", "9600", "4800",
                                     "2400",  "1200",  "600",  "300"};
constexpr const char* kParity[] = {"None", "Even", "Odd"};
constexpr const char* kDataBits[] = {"7", "8"};
constexpr const char* kFlowControl[] = {"None", "Scanner Ready", "Data Ready",
                                        "Inverted Data Ready"};
constexpr const char* kBuzzerFrequency[] = {"8", "4", "2", "1"};
constexpr const char* kScanningMode[] = {"Auto Off",  "Continuous", "Auto Power Off", "Alternate",
                                         "Momentary", "Repeat",     "Laser",          "Testing"};
constexpr const char* kRereadDelay[] = {"0.1 sec", "0.2 sec", "0.4 sec", "0.8 sec",
                                        "1 sec",   "2 sec",   "3 sec",   "5 sec"};
constexpr const char* kMarginTime[] = {"5 ms",  "10 ms", "20 ms", "30 ms",
                                       "40 ms", "60 ms", "80 ms", "100 ms"};
constexpr const char* kModuleTime[] = {"250 us", "500 us", "1 ms", "1.5 ms",
                                       "2 ms",   "3 ms",   "4 ms", "5 ms"};
constexpr const char* kSignalState[] = {"Low", "High"};
constexpr const char* kReadRedundancy[] = {"None", "Two time", "Three times", "Four times"};
constexpr const char* kAlphabetsLayout[] = {"Normal", "AZERTY", "QWERTZ"};
constexpr const char* kStartStopSelection[] = {"Industrial 25", "Interleave 25", "Matrix 25"};
constexpr const char* kCodabarStartStop[] = {"abcd / abcd", "abcd / tn*e", "ABCD / ABCD",
                                             "ABCD / TN*E"};
constexpr const char* kMsiVerification[] = {"Single Modulo 10", "Double Modulo 10",
                                            "Modulo 11 && 10"};
constexpr const char* kMsiTransmission[] = {"Last digit not transmitted", "Transmitted",
                                            "Last 2 digits not transmitted"};
constexpr const char* kUpceSystemNumber[] = {"0 only", "0 and 1"};
constexpr const char* kTransmissionMode[] = {"Single Port", "Dual Port, Both Ends",
                                             "Dual Port, Female End", "Dual Port, Male End"};
constexpr const char* kSequenceItem[] = {
    "", "[F1]", "[F2]", "[F3]", "[F4]", "[F5]", "[F6]", "[A1]", "[A2]", "[A3]", "[A4]", "[A5]",
};
}  // namespace

const char* ValueText(ValueTexts table, unsigned value) {
  return value < table.size() ? table[value] : nullptr;
}

const ValueTexts kKeyboardTypeTexts{kKeyboardTypes};
const ValueTexts kInterfaceTexts{kInterface};
const ValueTexts kSwitchTexts{kSwitch};
const ValueTexts kDigitsTransmissionTexts{kDigitsTransmission};
const ValueTexts kCapsLockTypeTexts{kCapsLockType};
const ValueTexts kDigitsLayoutTexts{kDigitsLayout};
const ValueTexts kAlphabetsTransmissionTexts{kAlphabetsTransmission};
const ValueTexts kCapsLockStateTexts{kCapsLockState};
const ValueTexts kBaudRateTexts{kBaudRate};
const ValueTexts kParityTexts{kParity};
const ValueTexts kDataBitsTexts{kDataBits};
const ValueTexts kFlowControlTexts{kFlowControl};
const ValueTexts kBuzzerFrequencyDigits{kBuzzerFrequency};
const ValueTexts kScanningModeTexts{kScanningMode};
const ValueTexts kRereadDelayTexts{kRereadDelay};
const ValueTexts kMarginTimeTexts{kMarginTime};
const ValueTexts kModuleTimeTexts{kModuleTime};
const ValueTexts kSignalStateTexts{kSignalState};
const ValueTexts kReadRedundancyTexts{kReadRedundancy};
const ValueTexts kAlphabetsLayoutTexts{kAlphabetsLayout};
const ValueTexts kStartStopSelectionTexts{kStartStopSelection};
const ValueTexts kCodabarStartStopTexts{kCodabarStartStop};
const ValueTexts kMsiVerificationTexts{kMsiVerification};
const ValueTexts kMsiTransmissionTexts{kMsiTransmission};
const ValueTexts kUpceSystemNumberTexts{kUpceSystemNumber};
const ValueTexts kTransmissionModeTexts{kTransmissionMode};
const ValueTexts kSequenceItemTexts{kSequenceItem};

std::string SequenceText(std::span<const uint8_t> items) {
  std::string text;
  for (const uint8_t item : items) text += kSequenceItemTexts[item];
  return text;
}

void AppendHexByte(std::string& text, uint8_t byte) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  text += kHex[byte >> 4];
  text += kHex[byte & 0x0F];
}

int HexDigitValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

int HexByteValue(std::string_view digits) {
  if (digits.size() != 2) return -1;
  const int high = HexDigitValue(digits[0]), low = HexDigitValue(digits[1]);
  return high < 0 || low < 0 ? -1 : high * 16 + low;
}
