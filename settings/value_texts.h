// The words that stand for each coded value of the image, shared by the report
// and anything else that spells a value out.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

using ValueTexts = std::span<const char* const>;

// The text of `value` in `table`, or nullptr when the table has no such entry.
const char* ValueText(ValueTexts table, unsigned value);

// Keyboard type names for interfaceType 1 to 28 (index = value - 1).
extern const ValueTexts kKeyboardTypeTexts;

// By InterfaceKind: "Keyboard Wedge", "RS-232", "Wand Emulation".
extern const ValueTexts kInterfaceTexts;
extern const ValueTexts kSwitchTexts;  // 0 "Disable", 1 "Enable"
extern const ValueTexts kDigitsTransmissionTexts;
extern const ValueTexts kCapsLockTypeTexts;  // by stored value, 1 reads as entry 2
extern const ValueTexts kDigitsLayoutTexts;  // by stored value, 1 reads as entry 2
extern const ValueTexts kAlphabetsTransmissionTexts;
extern const ValueTexts kCapsLockStateTexts;
extern const ValueTexts kBaudRateTexts;
extern const ValueTexts kParityTexts;
extern const ValueTexts kDataBitsTexts;
extern const ValueTexts kFlowControlTexts;
extern const ValueTexts kBuzzerFrequencyDigits;
extern const ValueTexts kScanningModeTexts;
extern const ValueTexts kRereadDelayTexts;
extern const ValueTexts kMarginTimeTexts;
extern const ValueTexts kModuleTimeTexts;
extern const ValueTexts kSignalStateTexts;  // normalState and barState
extern const ValueTexts kReadRedundancyTexts;
extern const ValueTexts kAlphabetsLayoutTexts;
extern const ValueTexts kStartStopSelectionTexts;
extern const ValueTexts kCodabarStartStopTexts;
extern const ValueTexts kMsiVerificationTexts;
extern const ValueTexts kMsiTransmissionTexts;
extern const ValueTexts kUpceSystemNumberTexts;
extern const ValueTexts kTransmissionModeTexts;
// Transmission sequence items 1 to 11 ("[F1]" ... "[A5]"); 0 names nothing.
extern const ValueTexts kSequenceItemTexts;
// The items spelled out one after the other, e.g. "[F1][F2][A1]".
std::string SequenceText(std::span<const uint8_t> items);

// Appends `byte` as two upper-case hexadecimal digits, e.g. "1C".
void AppendHexByte(std::string& text, uint8_t byte);
// The value of a hexadecimal digit in either case, or -1.
int HexDigitValue(char c);
// The byte that two such digits spell, or -1.
int HexByteValue(std::string_view digits);
