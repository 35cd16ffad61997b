// The "Reader Settings" sheet: its pages in order.
#include "sheets/reader_sheet.h"

#include "sheets/code_length_page.h"
#include "sheets/interface_page.h"
#include "sheets/scanner_page.h"

namespace {

// "Symbology", "Code ID" and "Edit Format" take their places as they come.
const DialogTable* const kPages[] = {
    &kScannerPage,
    &kInterfacePage,
    &kCodeLengthPage,
};

}  // namespace

bool RunReaderSettingsSheet(HWND parent) {
  return RunBoundSheet(parent, "Reader Settings", kPages, settingsImage.bytes);
}
