// The code length, code id and character substitution sections.
#include <iterator>

#include "report/report_writer.h"

namespace {

struct CodeLengthLine {
  const char* format;
  CodeLengthSymbology left;
  CodeLengthSymbology right;
};

using S = CodeLengthSymbology;
constexpr CodeLengthLine kCodeLengthLines[] = {
    {"    Code 39 : %-25s Code 128 : %s\r\n", S::Code39, S::Code128},
    {"    Italian Pharmacode : %-14s EAN 128 : %s\r\n", S::ItalianPharmacode, S::Ean128},
    {"    French Pharmacode : %-15s UPCE : %s\r\n", S::FrenchPharmacode, S::Upce},
    {"    Industrial 25 : %-19s EAN 8 : %s\r\n", S::Industrial25, S::Ean8},
    {"    Interleave 25 : %-19s EAN 13 : %s\r\n", S::Interleave25, S::Ean13},
    {"    Matrix 25 : %-23s UPCA : %s\r\n", S::Matrix25, S::Upca},
    {"    Codabar : %-25s MSI : %s\r\n", S::Codabar, S::Msi},
    {"    Code 93 : %-25s Plessey : %s\r\n", S::Code93, S::Plessey},
};

// In the order of the code ids in the image.
constexpr const char* kCodeIdFormats[field::kCodeIdCount] = {
    "    Code 39 : %s \r\n",
    "    Italian Pharmacode : %s \r\n",
    "    French Pharmacode : %s \r\n",
    "    Industrial 25 : %s \r\n",
    "    Interleave 25 : %s \r\n",
    "    Matrix 25 : %s \r\n",
    "    Codabar : %s \r\n",
    "    Code 93 : %s \r\n",
    "    Code 128 : %s \r\n",
    "    UPCE : %s \r\n",
    "    EAN 8 : %s \r\n",
    "    EAN 13 : %s \r\n",
    "    UPCA : %s \r\n",
    "    MSI : %s \r\n",
    "    Plessey : %s \r\n",
};

constexpr const char* kSubstitutionFormats[] = {
    "    Substitution1 : %s \r\n",
    "    Substitution2 : %s \r\n",
    "    Substitution3 : %s \r\n",
};

}  // namespace

void AppendCodeLengthSection(const ReportWriter& out) {
  out.Piece("\r\nCode Length Settings\r\n");
  for (const CodeLengthLine& line : kCodeLengthLines) {
    out.Line({line.format,
              {field::codeLengthOn(line.left), &kSwitchTexts},
              ValueSpec{field::codeLengthOn(line.right), &kSwitchTexts}});
  }
}

void AppendCodeIdSection(const ReportWriter& out) {
  out.Piece("\r\nCode ID Settings\r\n");
  for (int i = 0; i < field::kCodeIdCount; ++i) {
    const auto id = Bytes(out.image, field::codeId(i));
    if (id[0] != 0) out.Piece(kCodeIdFormats[i], {out.Keys(id)});
  }
}

void AppendSubstitutionSection(const ReportWriter& out) {
  out.Piece("\r\nCharacter Substitution Settings \r\n");
  for (int n = 1; n <= static_cast<int>(std::size(kSubstitutionFormats)); ++n) {
    if (Get(out.image, field::fromCode(n)) != 0)
      out.Piece(kSubstitutionFormats[n - 1],
                {out.Keys(Bytes(out.image, field::substitutionPair(n)))});
  }
}
