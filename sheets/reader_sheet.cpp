// The "Reader Settings" sheet: its pages in order.
#include "sheets/reader_sheet.h"

#include "sheets/code_id_page.h"
#include "sheets/code_length_page.h"
#include "sheets/edit_page.h"
#include "sheets/interface_page.h"
#include "sheets/scanner_page.h"
#include "sheets/symbology_page.h"

namespace {

const DialogTable* const kPages[] = {
    &kScannerPage, &kInterfacePage, &kSymbologyPage, &kCodeLengthPage, &kCodeIdPage, &kEditPage,
};

}  // namespace

bool RunReaderSettingsSheet(HWND parent) {
  return RunBoundSheet(parent, "Reader Settings", kPages, settingsImage.bytes);
}
