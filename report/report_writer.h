// What every report section shares: the record being reported, the piece
// formatter and the spelling of stored values.
#pragma once

#include <initializer_list>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "report/settings_report.h"
#include "settings/value_texts.h"

// Fills the conversions of a printf-like `format` (%s, %d, %c with an optional
// '-' flag and width, and %%) with `args` in order, each given as text. Taking
// every value as text keeps a table's format string from ever reading an
// argument of the wrong type.
std::string FormatPiece(std::string_view format, std::initializer_list<std::string_view> args);

// How one stored value of the image is spelled out: the entry of `texts` (the
// entry for stored value `first` comes first), or the number itself when there
// is no table or the table has no entry for the value.
struct ValueSpec {
  ImageField field;
  const ValueTexts* texts = nullptr;
  unsigned first = 0;
};

// A report line that shows one or two stored values.
struct ValueLine {
  const char* format;
  ValueSpec left;
  std::optional<ValueSpec> right = std::nullopt;
};

const char* SwitchText(bool on);

struct ReportWriter {
  const SettingsImage& image;
  InterfaceKind mode;
  const ReportSink& append;

  void Piece(std::string_view text) const { append(text); }
  void Piece(std::string_view format, std::initializer_list<std::string_view> args) const {
    append(FormatPiece(format, args));
  }
  // The bracketed rendering of a key sequence in the report's mode.
  std::string Keys(std::span<const uint8_t> field) const {
    std::string text;
    RenderKeyCodeString(field, text, mode);
    return text;
  }
  std::string Spell(const ValueSpec& value) const;
  void Line(const ValueLine& line) const;
  void Lines(std::span<const ValueLine> lines) const {
    for (const ValueLine& line : lines) Line(line);
  }
};

// The sections in the order the report shows them.
void AppendInterfaceSection(const ReportWriter& out);
void AppendScannerSections(const ReportWriter& out);
void AppendReadableCodeTypes(const ReportWriter& out);
void AppendCodeLengthSection(const ReportWriter& out);
void AppendCodeIdSection(const ReportWriter& out);
void AppendSubstitutionSection(const ReportWriter& out);
void AppendDataEditingSection(const ReportWriter& out);
