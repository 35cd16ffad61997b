// The "Symbology" page: which symbologies are read, their parameter dialogs,
// prefix and suffix.
#include "sheets/symbology_page.h"

#include "resources/resource_ids.h"
#include "sheets/symbology_params.h"

namespace {

using T = CodeType;
constexpr int kBox = IDC_SYMBOLOGY_FIRST;
constexpr int Configure(int box) {
  return CONFIGURE_OF(box);
}

// In the order the page stores them. UPCE, EAN8, EAN13 and UPCA only sum up
// their three add-on switches, which their parameter dialogs set.
const Binding kRows[] = {
    Check(kBox + 0, field::symbologyOn(T::Code39), Configure(kBox + 0)),
    Check(kBox + 1, field::symbologyOn(T::ItalianPharmacode), Configure(kBox + 1)),
    Check(kBox + 2, field::symbologyOn(T::FrenchPharmacode), Configure(kBox + 2)),
    Check(kBox + 3, field::symbologyOn(T::Industrial25), Configure(kBox + 3)),
    Check(kBox + 4, field::symbologyOn(T::Interleave25), Configure(kBox + 4)),
    Check(kBox + 5, field::symbologyOn(T::Matrix25), Configure(kBox + 5)),
    Check(kBox + 6, field::symbologyOn(T::Codabar), Configure(kBox + 6)),
    Check(kBox + 7, field::symbologyOn(T::Code93)),
    Summary(kBox + 8, field::addOnsOn(T::UpceNoAddon), Configure(kBox + 8)),
    Summary(kBox + 9, field::addOnsOn(T::Ean8NoAddon), Configure(kBox + 9)),
    Summary(kBox + 10, field::addOnsOn(T::Ean13NoAddon), Configure(kBox + 10)),
    Summary(kBox + 11, field::addOnsOn(T::UpcaNoAddon), Configure(kBox + 11)),
    Check(kBox + 12, field::symbologyOn(T::Msi), Configure(kBox + 12)),
    Check(kBox + 13, field::symbologyOn(T::Plessey), Configure(kBox + 13)),
    Check(kBox + 14, field::symbologyOn(T::Ean128), Configure(kBox + 14)),
    Check(kBox + 15, field::symbologyOn(T::Code128)),
    Disabled(kBox + 16),  // "PDF 417"
    Disabled(Configure(kBox + 16)),
    KeyField(IDC_PREFIX, field::prefix),
    KeyField(IDC_SUFFIX, field::suffix),
    Opens(Configure(kBox + 0), kCode39Params),
    Opens(Configure(kBox + 1), kItalianPharmaParams),
    Opens(Configure(kBox + 2), kFrenchPharmaParams),
    Opens(Configure(kBox + 3), kIndustrial25Params),
    Opens(Configure(kBox + 4), kInterleave25Params),
    Opens(Configure(kBox + 5), kMatrix25Params),
    Opens(Configure(kBox + 6), kCodabarParams),
    Opens(Configure(kBox + 8), kUpceParams),
    Opens(Configure(kBox + 9), kEan8Params),
    Opens(Configure(kBox + 10), kEan13Params),
    Opens(Configure(kBox + 11), kUpcaParams),
    Opens(Configure(kBox + 12), kMsiParams),
    Opens(Configure(kBox + 13), kPlesseyParams),
    Opens(Configure(kBox + 14), kEan128Params),
};

}  // namespace

const DialogTable kSymbologyPage{kSymbologyDialog, kRows};
