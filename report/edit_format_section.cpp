// The data-editing section: the "Inclusive" switch and one block per editing
// format; and the spelling of a transmission sequence.
#include <array>
#include <iterator>

#include "report/report_writer.h"

namespace {

struct CodeTypeLine {
  const char* format;
  CodeType left;
  CodeType right;
};

using T = CodeType;
constexpr CodeTypeLine kCodeTypeLines[] = {
    {"         Code 39 : %-25s Code 128 : %s\r\n", T::Code39, T::Code128},
    {"         Italian Pharmacode : %-14s EAN 128 : %s\r\n", T::ItalianPharmacode, T::Ean128},
    {"         French Pharmacode : %-15s UPCE no Addon : %s\r\n", T::FrenchPharmacode,
     T::UpceNoAddon},
    {"         Industrial 25 : %-19s UPCE Addon 2 : %s\r\n", T::Industrial25, T::UpceAddon2},
    {"         Interleave 25 : %-19s UPCE Addon 5 : %s\r\n", T::Interleave25, T::UpceAddon5},
    {"         Matrix 25 : %-23s EAN8 no Addon : %s\r\n", T::Matrix25, T::Ean8NoAddon},
    {"         Codabar : %-25s EAN8 Addon 2 : %s\r\n", T::Codabar, T::Ean8Addon2},
    {"         Code 93 : %-25s EAN8 Addon 5: %s\r\n", T::Code93, T::Ean8Addon5},
    {"         EAN13 no Addon : %-18s UPCA no Addon : %s\r\n", T::Ean13NoAddon, T::UpcaNoAddon},
    {"         EAN13 Addon 2 : %-19s UPCA Addon 2 : %s\r\n", T::Ean13Addon2, T::UpcaAddon2},
    {"         EAN13 Addon 5 : %-19s UPCA Addon 5 : %s\r\n", T::Ean13Addon5, T::UpcaAddon5},
    {"         MSI : %-29s Plessey : %s\r\n", T::Msi, T::Plessey},
};

constexpr const char* kFormatHeaders[kEditFormatCount] = {
    "\n    %s Editing Format 1\r\n",
    "\n    %s Editing Format 2\r\n",
    "\n    %s Editing Format 3\r\n",
};

// The two forms differ by the blank before the colon.
constexpr const char* kFieldLengthFormats[field::kFieldRecordCount] = {
    "         Field 1: %d\r\n", "         Field 2: %d\r\n", "         Field 3: %d\r\n",
    "         Field 4: %d\r\n", "         Field 5: %d\r\n",
};
constexpr const char* kTerminatorFormats[field::kFieldRecordCount] = {
    "         Field 1 : %s\r\n", "         Field 2 : %s\r\n", "         Field 3 : %s\r\n",
    "         Field 4 : %s\r\n", "         Field 5 : %s\r\n",
};

constexpr const char* kAdditionalFormats[field::kAdditionalFieldCount] = {
    "         Additional 1 : %s\r\n", "         Additional 2 : %s\r\n",
    "         Additional 3 : %s\r\n", "         Additional 4 : %s\r\n",
    "         Additional 5 : %s\r\n",
};

std::string Number(unsigned value) {
  return std::to_string(value);
}

void AppendFormatBlock(const ReportWriter& out, int n, const EditFormat& format) {
  out.Piece(kFormatHeaders[n - 1], {out.Spell({field::editFormatOn(n), &kSwitchTexts})});
  out.Piece("    * Applicable Conditions\r\n");
  out.Piece("      ** Applicable Code Type :\r\n");
  for (const CodeTypeLine& line : kCodeTypeLines) {
    out.Piece(line.format, {SwitchText(Get(format, field::codeTypes(line.left)) != 0),
                            SwitchText(Get(format, field::codeTypes(line.right)) != 0)});
  }
  out.Piece("      ** Minimum Length : %d\r\n", {Number(Get(format, field::minLength))});
  out.Piece("      ** Maximum Length : %d\r\n", {Number(Get(format, field::maxLength))});
  out.Piece("      ** Matching String : %s\r\n", {out.Keys(Bytes(format, field::matchString))});
  out.Piece("      ** Matching String Location: %d\r\n",
            {Number(Get(format, field::matchPosition))});

  out.Piece("\n    * Field Settings\r\n");
  out.Piece("      ** Number of Fields : %d\r\n", {Number(Get(format, field::fieldCount))});
  // The division is not stored: a first field with a length means "by length".
  const bool byLength = Get(format, field::fieldLength(1)) != 0;
  out.Piece("      ** Divide Field : ");
  out.Piece(byLength ? "By Length\r\n" : "By Terminating String\r\n");
  out.Piece("      ** Field Terminating String\r\n");
  for (int f = 1; f <= field::kFieldRecordCount; ++f) {
    if (byLength)
      out.Piece(kFieldLengthFormats[f - 1], {Number(Get(format, field::fieldLength(f)))});
    else
      out.Piece(kTerminatorFormats[f - 1], {out.Keys(Bytes(format, field::terminator(f)))});
  }
  out.Piece("      ** Additional fields\r\n");
  for (int a = 1; a <= field::kAdditionalFieldCount; ++a)
    out.Piece(kAdditionalFormats[a - 1], {out.Keys(Bytes(format, field::additionalField(a)))});

  out.Piece("\n    * Transmission Sequence : %s\r\n", {RenderSequence(format)});
}

}  // namespace

std::string RenderSequence(const EditFormat& format) {
  return SequenceText(SequenceItems(Bytes(format, field::sequence)));
}

void AppendDataEditingSection(const ReportWriter& out) {
  out.Piece("\r\nData editing\r\n");
  if (Get(out.image, field::editInclusive)) out.Piece("    Inclusive : %s\r\n", {SwitchText(true)});
  for (int n = 1; n <= kEditFormatCount; ++n)
    AppendFormatBlock(out, n, ReadEditFormat(out.image, n));
}
