// The "Readable Code Types & Settings" section: one block per symbology.
#include "report/report_writer.h"

namespace {

constexpr const char* kStartStop = "    * Start/Stop Selection : %s\r\n";
constexpr const char* kVerifyChecksum = "    * Verify Checksum : %s\r\n";
constexpr const char* kTransmitChecksum = "    * Transmit Checksum : %s\r\n";

constexpr ValueSpec Switch(ImageField f) {
  return {f, &kSwitchTexts};
}
constexpr ValueSpec Reading(CodeType t) {
  return {field::symbologyOn(t), &kSwitchTexts};
}

constexpr ValueLine kCode39Options[] = {
    {"    * Full ASCII : %s\r\n", Switch(field::code39FullAscii)},
    {"    * Transmit Start/Stop : %s\r\n", Switch(field::code39TransmitStartStop)},
    {kVerifyChecksum, Switch(field::code39VerifyChecksum)},
    {kTransmitChecksum, Switch(field::code39TransmitChecksum)},
};
constexpr ValueLine kItalianPharmacodeOptions[] = {
    {kTransmitChecksum, Switch(field::italianPharmaTransmitChecksum)},
};
constexpr ValueLine kFrenchPharmacodeOptions[] = {
    {kTransmitChecksum, Switch(field::frenchPharmaTransmitChecksum)},
};
constexpr ValueLine kIndustrial25Options[] = {
    {kStartStop, {field::industrial25StartStop, &kStartStopSelectionTexts}},
    {kVerifyChecksum, Switch(field::industrial25VerifyChecksum)},
    {kTransmitChecksum, Switch(field::industrial25TransmitChecksum)},
};
constexpr ValueLine kInterleave25Options[] = {
    {kStartStop, {field::interleave25StartStop, &kStartStopSelectionTexts}},
    {kVerifyChecksum, Switch(field::interleave25VerifyChecksum)},
    {kTransmitChecksum, Switch(field::interleave25TransmitChecksum)},
};
constexpr ValueLine kMatrix25Options[] = {
    {kStartStop, {field::matrix25StartStop, &kStartStopSelectionTexts}},
    {kVerifyChecksum, Switch(field::matrix25VerifyChecksum)},
    {kTransmitChecksum, Switch(field::matrix25TransmitChecksum)},
};
constexpr ValueLine kCodabarOptions[] = {
    {"    * Start/Stop Character : %s\r\n", {field::codabarStartStopChar, &kCodabarStartStopTexts}},
    {"    * Transmit Start/Stop : %s\r\n", Switch(field::codabarTransmitStartStop)},
    {"    * CLSI Conversion : %s\r\n", Switch(field::codabarClsiConversion)},
};
constexpr ValueLine kUpceOptions[] = {
    {"    * UPCE no Addon : %s\r\n", Reading(CodeType::UpceNoAddon)},
    {"    * UPCE Addon 2 : %s\r\n", Reading(CodeType::UpceAddon2)},
    {"    * UPCE Addon 5 : %s\r\n", Reading(CodeType::UpceAddon5)},
    {"    * Convert to UPCA : %s\r\n", Switch(field::upceConvertToUpca)},
    {kTransmitChecksum, Switch(field::upceTransmitChecksum)},
    {"    * Transmit System Number : %s\r\n", Switch(field::upceTransmitSystemNumber)},
    {"    * System Number : %s\r\n", {field::upceSystemNumber, &kUpceSystemNumberTexts}},
};
constexpr ValueLine kEan8Options[] = {
    {"    * EAN 8 no Addon : %s\r\n", Reading(CodeType::Ean8NoAddon)},
    {"    * EAN 8 Addon 2 : %s\r\n", Reading(CodeType::Ean8Addon2)},
    {"    * EAN 8 Addon 5 : %s\r\n", Reading(CodeType::Ean8Addon5)},
    {"    * Convert to EAN13 : %s\r\n", Switch(field::ean8ConvertToEan13)},
    {kTransmitChecksum, Switch(field::ean8TransmitChecksum)},
};
constexpr ValueLine kEan13Options[] = {
    {"    * EAN 13 no Addon : %s\r\n", Reading(CodeType::Ean13NoAddon)},
    {"    * EAN 13 Addon 2 : %s\r\n", Reading(CodeType::Ean13Addon2)},
    {"    * EAN 13 Addon 5 : %s\r\n", Reading(CodeType::Ean13Addon5)},
    {"    * ISBN Conversion : %s\r\n", Switch(field::ean13IsbnConversion)},
    {"    * ISSN Conversion : %s\r\n", Switch(field::ean13IssnConversion)},
    {kTransmitChecksum, Switch(field::ean13TransmitChecksum)},
};
// The scanner's own wording: no blank before this colon.
constexpr ValueLine kUpcaOptions[] = {
    {"    * UPCA no Addon : %s\r\n", Reading(CodeType::UpcaNoAddon)},
    {"    * UPCA Addon 2 : %s\r\n", Reading(CodeType::UpcaAddon2)},
    {"    * UPCA Addon 5 : %s\r\n", Reading(CodeType::UpcaAddon5)},
    {"    * Convert to EAN13: %s\r\n", Switch(field::upcaConvertToEan13)},
    {kTransmitChecksum, Switch(field::upcaTransmitChecksum)},
    {"    * Transmit System Number : %s\r\n", Switch(field::upcaTransmitSystemNumber)},
};
constexpr ValueLine kMsiOptions[] = {
    {"    * Checksum Verification : %s\r\n",
     {field::msiChecksumVerification, &kMsiVerificationTexts}},
    {"    * Checksum Transmission : %s\r\n",
     {field::msiChecksumTransmission, &kMsiTransmissionTexts}},
};
constexpr ValueLine kPlesseyOptions[] = {
    {"    * Convert to UK Plessey : %s\r\n", Switch(field::plesseyConvertToUk)},
    {kTransmitChecksum, Switch(field::plesseyTransmitChecksum)},
};

constexpr ImageKeyField kNoKeys{0, 0};

// The UPC/EAN blocks have fixed headers: their reading switches are per addon
// and show as options. `keys` with capacity 0 and a null `length` mean none.
struct SymbologyBlock {
  const char* header;
  std::optional<CodeType> reading;
  std::span<const ValueLine> options;
  const char* keysFormat = nullptr;
  ImageKeyField keys = kNoKeys;
  const LengthQualificationField* length = nullptr;
};

constexpr SymbologyBlock kBlocks[] = {
    {"\n    %s Code 39\r\n", CodeType::Code39, kCode39Options},
    {"\n    %s Italian Pharmacode\r\n", CodeType::ItalianPharmacode, kItalianPharmacodeOptions},
    {"\n    %s French Pharmacode\r\n", CodeType::FrenchPharmacode, kFrenchPharmacodeOptions},
    {"\n    %s Industrial 25\r\n", CodeType::Industrial25, kIndustrial25Options, nullptr, kNoKeys,
     &field::industrial25Length},
    {"\n    %s Interleave 25\r\n", CodeType::Interleave25, kInterleave25Options, nullptr, kNoKeys,
     &field::interleave25Length},
    {"\n    %s Matrix 25\r\n", CodeType::Matrix25, kMatrix25Options, nullptr, kNoKeys,
     &field::matrix25Length},
    {"\n    %s Codabar\r\n", CodeType::Codabar, kCodabarOptions},
    {"\n    %s Code 93\r\n", CodeType::Code93, {}},
    {"\n    %s Code 128\r\n", CodeType::Code128, {}},
    {"\n    %s EAN 128\r\n",
     CodeType::Ean128,
     {},
     "    * Field Separator : %s \r\n",
     field::fieldSeparator},
    {"\n    UPCE :\r\n", std::nullopt, kUpceOptions},
    {"\n    EAN 8 :\r\n", std::nullopt, kEan8Options},
    {"\n    EAN 13 :\r\n", std::nullopt, kEan13Options},
    {"\n    UPCA :\r\n", std::nullopt, kUpcaOptions},
    {"\n    %s MSI\r\n", CodeType::Msi, kMsiOptions, nullptr, kNoKeys, &field::msiLength},
    {"\n    %s Plessey\r\n", CodeType::Plessey, kPlesseyOptions},
};

struct LengthLabels {
  const char* first;
  const char* second;
};
// The second label is indented by 29 blanks, under the first.
constexpr LengthLabels kRangeLabels{"Max Length :", "                             Min Length :"};
constexpr LengthLabels kFixedLabels{"Fixed Length 1 :",
                                    "                             Fixed Length 2 :"};

void AppendLengthQualification(const ReportWriter& out, LengthQualificationField f) {
  const LengthQualification q = GetLengthQualification(out.image, f);
  const LengthLabels& labels = q.rangeMode ? kRangeLabels : kFixedLabels;
  out.Piece("    * Length Qualification : ");
  out.Piece("%s %3d\r\n", {labels.first, std::to_string(q.first)});
  out.Piece("%s %3d\r\n", {labels.second, std::to_string(q.second)});
}

}  // namespace

void AppendReadableCodeTypes(const ReportWriter& out) {
  // The heading ends in CR alone; each block starts with the LF.
  out.Piece("\r\nReadable Code Types & Settings\r");
  for (const SymbologyBlock& block : kBlocks) {
    if (block.reading)
      out.Piece(block.header, {out.Spell(Reading(*block.reading))});
    else
      out.Piece(block.header);
    out.Lines(block.options);
    if (block.keys.capacity != 0)
      out.Piece(block.keysFormat, {out.Keys(Bytes(out.image, block.keys))});
    if (block.length) AppendLengthQualification(out, *block.length);
  }
}
