// The "Reader Settings" sheet: its pages in order.
#include "sheets/reader_sheet.h"

#include "sheets/scanner_page.h"

namespace {

const DialogTable* const kPages[] = {
    &kScannerPage,
};

}  // namespace

bool RunReaderSettingsSheet(HWND parent) {
  return RunBoundSheet(parent, "Reader Settings", kPages, settingsImage.bytes);
}
