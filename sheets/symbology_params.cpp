// The symbology parameter dialogs as tables: option bits, radio groups,
// length qualifications and the EAN 128 field separator.
#include "sheets/symbology_params.h"

#include "resources/resource_ids.h"

namespace {

constexpr int kOption = IDC_OPTION_FIRST;
constexpr int kChoice = IDC_CHOICE_FIRST;
using T = CodeType;

const Binding kCode39[] = {
    Check(kOption, field::code39FullAscii),
    Check(kOption + 1, field::code39TransmitStartStop),
    Check(kOption + 2, field::code39VerifyChecksum),
    Check(kOption + 3, field::code39TransmitChecksum),
};
const Binding kItalianPharma[] = {Check(kOption, field::italianPharmaTransmitChecksum)};
const Binding kFrenchPharma[] = {Check(kOption, field::frenchPharmaTransmitChecksum)};
const Binding kIndustrial25[] = {
    Radio(kChoice, 3, field::industrial25StartStop),
    Check(kOption, field::industrial25VerifyChecksum),
    Check(kOption + 1, field::industrial25TransmitChecksum),
    LengthPair(kChoice + 3, field::industrial25Length),
};
const Binding kInterleave25[] = {
    Radio(kChoice, 3, field::interleave25StartStop),
    Check(kOption, field::interleave25VerifyChecksum),
    Check(kOption + 1, field::interleave25TransmitChecksum),
    LengthPair(kChoice + 3, field::interleave25Length),
};
const Binding kMatrix25[] = {
    Radio(kChoice, 3, field::matrix25StartStop),
    Check(kOption, field::matrix25VerifyChecksum),
    Check(kOption + 1, field::matrix25TransmitChecksum),
    LengthPair(kChoice + 3, field::matrix25Length),
};
const Binding kCodabar[] = {
    Radio(kChoice, 4, field::codabarStartStopChar),
    Check(kOption, field::codabarTransmitStartStop),
    Check(kOption + 1, field::codabarClsiConversion),
};
const Binding kUpce[] = {
    Check(kOption, field::symbologyOn(T::UpceNoAddon)),
    Check(kOption + 1, field::symbologyOn(T::UpceAddon2)),
    Check(kOption + 2, field::symbologyOn(T::UpceAddon5)),
    Check(kOption + 3, field::upceConvertToUpca),
    Check(kOption + 4, field::upceTransmitChecksum),
    Check(kOption + 5, field::upceTransmitSystemNumber),
    Radio(kChoice, 2, field::upceSystemNumber),
};
const Binding kEan8[] = {
    Check(kOption, field::symbologyOn(T::Ean8NoAddon)),
    Check(kOption + 1, field::symbologyOn(T::Ean8Addon2)),
    Check(kOption + 2, field::symbologyOn(T::Ean8Addon5)),
    Check(kOption + 3, field::ean8ConvertToEan13),
    Check(kOption + 4, field::ean8TransmitChecksum),
};
const Binding kEan13[] = {
    Check(kOption, field::symbologyOn(T::Ean13NoAddon)),
    Check(kOption + 1, field::symbologyOn(T::Ean13Addon2)),
    Check(kOption + 2, field::symbologyOn(T::Ean13Addon5)),
    Check(kOption + 3, field::ean13IsbnConversion),
    Check(kOption + 4, field::ean13IssnConversion),
    Check(kOption + 5, field::ean13TransmitChecksum),
};
const Binding kUpca[] = {
    Check(kOption, field::symbologyOn(T::UpcaNoAddon)),
    Check(kOption + 1, field::symbologyOn(T::UpcaAddon2)),
    Check(kOption + 2, field::symbologyOn(T::UpcaAddon5)),
    Check(kOption + 3, field::upcaConvertToEan13),
    Check(kOption + 4, field::upcaTransmitChecksum),
    Check(kOption + 5, field::upcaTransmitSystemNumber),
};
const Binding kMsi[] = {
    Radio(kChoice, 3, field::msiChecksumVerification),
    Radio(kChoice + 3, 3, field::msiChecksumTransmission),
    LengthPair(kChoice + 6, field::msiLength),
};
const Binding kPlessey[] = {
    Check(kOption, field::plesseyConvertToUk),
    Check(kOption + 1, field::plesseyTransmitChecksum),
};
const Binding kEan128[] = {KeyField(IDC_FIELD_SEPARATOR, field::fieldSeparator)};

}  // namespace

const DialogTable kCode39Params{kCode39Dialog, kCode39};
const DialogTable kItalianPharmaParams{kItalianPharmaDialog, kItalianPharma};
const DialogTable kFrenchPharmaParams{kFrenchPharmaDialog, kFrenchPharma};
const DialogTable kIndustrial25Params{kIndustrial25Dialog, kIndustrial25};
const DialogTable kInterleave25Params{kInterleave25Dialog, kInterleave25};
const DialogTable kMatrix25Params{kMatrix25Dialog, kMatrix25};
const DialogTable kCodabarParams{kCodabarDialog, kCodabar};
const DialogTable kUpceParams{kUpceDialog, kUpce};
const DialogTable kEan8Params{kEan8Dialog, kEan8};
const DialogTable kEan13Params{kEan13Dialog, kEan13};
const DialogTable kUpcaParams{kUpcaDialog, kUpca};
const DialogTable kMsiParams{kMsiDialog, kMsi};
const DialogTable kPlesseyParams{kPlesseyDialog, kPlessey};
const DialogTable kEan128Params{kEan128Dialog, kEan128};
