// The "Code Length" page: the code-length switch of each symbology.
#include "sheets/code_length_page.h"

#include "resources/resource_ids.h"

namespace {

using S = CodeLengthSymbology;
constexpr int kFirst = IDC_CODE_LENGTH_FIRST;

const Binding kRows[] = {
    Check(kFirst + 0, field::codeLengthOn(S::Code39)),
    Check(kFirst + 1, field::codeLengthOn(S::ItalianPharmacode)),
    Check(kFirst + 2, field::codeLengthOn(S::FrenchPharmacode)),
    Check(kFirst + 3, field::codeLengthOn(S::Industrial25)),
    Check(kFirst + 4, field::codeLengthOn(S::Interleave25)),
    Check(kFirst + 5, field::codeLengthOn(S::Matrix25)),
    Check(kFirst + 6, field::codeLengthOn(S::Codabar)),
    Check(kFirst + 7, field::codeLengthOn(S::Code93)),
    Check(kFirst + 8, field::codeLengthOn(S::Code128)),
    Check(kFirst + 9, field::codeLengthOn(S::Ean128)),
    Check(kFirst + 10, field::codeLengthOn(S::Upce)),
    Check(kFirst + 11, field::codeLengthOn(S::Ean8)),
    Check(kFirst + 12, field::codeLengthOn(S::Ean13)),
    Check(kFirst + 13, field::codeLengthOn(S::Upca)),
    Check(kFirst + 14, field::codeLengthOn(S::Msi)),
    Check(kFirst + 15, field::codeLengthOn(S::Plessey)),
    Disabled(IDC_CODE_LENGTH_PDF417),
};

}  // namespace

const DialogTable kCodeLengthPage{kCodeLengthDialog, kRows};
