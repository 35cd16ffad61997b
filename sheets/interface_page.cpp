// The "Interface" page: the host interface, and the settings of each
// interface in a group of its own, one group shown at a time.
#include "sheets/interface_page.h"

#include "keycodes/key_code_string.h"
#include "resources/resource_ids.h"
#include "ui/dialog_items.h"

namespace {

constexpr const char* kInterfaces[] = {"Keyboard wedge", "RS-232", "Wand emulation"};
// The page writes the last keyboard type with a doubled slash.
constexpr const char* kLastKeyboardType = "IBM 34XX//319X, Memorex Telex 122 Keys";
constexpr const char* kNoYes[] = {"No", "Yes"};
constexpr const char* kCapsLockTypes[] = {"Normal", "Capital Lock", "Shift Lock"};
constexpr const char* kDigitsLayouts[] = {"Normal", "Lower Row", "Upper Row"};
constexpr const char* kBaudRates[] = {"38400 bps", "19200 bps", "9600 bps", "4800 bps",
                                      "2400 bps",  "1200 bps",  "600 bps",  "300 bps"};
constexpr const char* kDataBits[] = {"7 Bits", "8 Bits"};
constexpr const char* kFlowControls[] = {"No", "Scanner Ready", "Data Ready",
                                         "Inverted Data Ready"};

// In the order the page loads and stores them; byte 0 is the page's own.
const Binding kRows[] = {
    List(IDC_ALPHABETS_TRANSMISSION, field::alphabetsTransmission, kAlphabetsTransmissionTexts),
    List(IDC_CAPS_LOCK_TYPE, field::capsLockType, kCapsLockTypes, &kSkipOneEncoding),
    List(IDC_ALPHABETS_LAYOUT, field::alphabetsLayout, kAlphabetsLayoutTexts),
    List(IDC_ALTERNATE_COMPOSING, field::alternateComposing, kNoYes),
    List(IDC_DIGITS_TRANSMISSION, field::digitsTransmission, kDigitsTransmissionTexts),
    List(IDC_CAPS_LOCK_STATE, field::capsLockState, kCapsLockStateTexts),
    List(IDC_DIGITS_LAYOUT, field::digitsLayout, kDigitsLayouts, &kSkipOneEncoding),
    List(IDC_TRANSMISSION_MODE, field::transmissionMode, kTransmissionModeTexts),
    List(IDC_HOST_BAUD_RATE, field::baudRate, kBaudRates),
    List(IDC_HOST_PARITY, field::parity, kParityTexts),
    List(IDC_HOST_DATA_BITS, field::dataBits, kDataBits),
    List(IDC_HOST_FLOW_CONTROL, field::flowControl, kFlowControls),
    List(IDC_MARGIN_TIME, field::marginTime, kMarginTimeTexts),
    List(IDC_MODULE_TIME, field::moduleTime, kModuleTimeTexts),
    List(IDC_NORMAL_STATE, field::normalState, kSignalStateTexts),
    List(IDC_BAR_STATE, field::barState, kSignalStateTexts),
    Check(IDC_LAPTOP_SUPPORT, field::laptopSupport),
    Number(IDC_INTER_CHAR_DELAY, field::interCharDelay),
    Disabled(LABEL_OF(IDC_PDF417_BLOCK_DELAY)),
    Disabled(IDC_PDF417_BLOCK_DELAY),
};

// The lists of each interface's group, each with its label; by InterfaceKind.
constexpr int kWedgeLists[] = {
    IDC_KEYBOARD_TYPE,       IDC_ALPHABETS_TRANSMISSION, IDC_CAPS_LOCK_TYPE,  IDC_ALPHABETS_LAYOUT,
    IDC_ALTERNATE_COMPOSING, IDC_DIGITS_TRANSMISSION,    IDC_CAPS_LOCK_STATE, IDC_DIGITS_LAYOUT};
constexpr int kRs232Lists[] = {IDC_TRANSMISSION_MODE, IDC_HOST_BAUD_RATE, IDC_HOST_PARITY,
                               IDC_HOST_DATA_BITS, IDC_HOST_FLOW_CONTROL};
constexpr int kWandLists[] = {IDC_MARGIN_TIME, IDC_MODULE_TIME, IDC_NORMAL_STATE, IDC_BAR_STATE,
                              IDC_PDF417_BLOCK_DELAY};
constexpr std::span<const int> kGroups[] = {kWedgeLists, kRs232Lists, kWandLists};
constexpr int kDelayControls[] = {IDC_INTER_CHAR_DELAY_LABEL, IDC_INTER_CHAR_DELAY,
                                  IDC_INTER_CHAR_DELAY_UNIT};

// "Flow control :" applies to a single port only.
void EnableFlowControl(HWND page) {
  const bool single = Selection(page, IDC_TRANSMISSION_MODE) == 0;
  EnableItem(page, IDC_HOST_FLOW_CONTROL, single);
  EnableItem(page, LABEL_OF(IDC_HOST_FLOW_CONTROL), single);
}

void ShowInterfaceGroup(HWND page, InterfaceKind kind) {
  for (int g = 0; g < 3; ++g) {
    for (const int list : kGroups[g]) {
      ShowItem(page, list, g == static_cast<int>(kind));
      ShowItem(page, LABEL_OF(list), g == static_cast<int>(kind));
    }
  }
  for (const int id : kDelayControls) ShowItem(page, id, kind != InterfaceKind::WandEmulation);
  ShowItem(page, IDC_LAPTOP_SUPPORT, kind == InterfaceKind::KeyboardWedge);
  if (kind == InterfaceKind::Rs232) EnableFlowControl(page);
  InterfaceMode = kind;
}

// Byte 0 holds the interface and, for keyboard wedge, the keyboard type.
void LoadInterface(HWND page, std::span<const uint8_t> target) {
  for (int t = 0; t < kKeyboardTypeCount; ++t)
    AddEntry(page, IDC_KEYBOARD_TYPE,
             t == kKeyboardTypeCount - 1 ? kLastKeyboardType : kKeyboardTypeTexts[t]);
  const uint8_t value = static_cast<uint8_t>(GetBound(target, field::interfaceType));
  const InterfaceKind kind = InterfaceOf(value);
  Select(page, IDC_KEYBOARD_TYPE, kind == InterfaceKind::KeyboardWedge ? KeyboardTypeOf(value) : 0);
  for (const char* entry : kInterfaces) AddEntry(page, IDC_SCANNER_INTERFACE, entry);
  Select(page, IDC_SCANNER_INTERFACE, static_cast<int>(kind));
  ShowInterfaceGroup(page, kind);
}

// A keyboard wedge without a keyboard type (a byte 0 the page cannot name)
// keeps byte 0 as it was rather than writing a value of no meaning.
void StoreInterface(HWND page, std::span<uint8_t> target) {
  const int keyboardType = Selection(page, IDC_KEYBOARD_TYPE);
  if (InterfaceMode == InterfaceKind::KeyboardWedge && keyboardType < 0) return;
  SetBound(target, field::interfaceType, InterfaceTypeValue(InterfaceMode, keyboardType));
}

INT_PTR InterfacePageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam,
                          BoundDialog& bound) {
  switch (message) {
    case WM_INITDIALOG:
      LoadInterface(page, bound.target);
      break;
    case WM_COMMAND:
      if (HIWORD(wParam) != CBN_SELCHANGE) break;
      if (LOWORD(wParam) == IDC_TRANSMISSION_MODE) EnableFlowControl(page);
      if (LOWORD(wParam) == IDC_SCANNER_INTERFACE) {
        const int chosen = Selection(page, IDC_SCANNER_INTERFACE);
        if (chosen >= 0 && chosen != static_cast<int>(InterfaceMode))
          ShowInterfaceGroup(page, static_cast<InterfaceKind>(chosen));
      }
      break;
    case WM_NOTIFY:
      if (reinterpret_cast<const NMHDR*>(lParam)->code == PSN_APPLY)
        StoreInterface(page, bound.target);
      break;
  }
  return 0;
}

}  // namespace

const DialogTable kInterfacePage{kInterfaceDialog, kRows, InterfacePageProc};
