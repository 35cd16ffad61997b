// The piece formatter and the spelling of stored values.
#include "report/report_writer.h"

#include <cstddef>

std::string FormatPiece(std::string_view format, std::initializer_list<std::string_view> args) {
  std::string out;
  out.reserve(format.size() + 32);
  const std::string_view* next = args.begin();
  for (size_t i = 0; i < format.size(); ++i) {
    if (format[i] != '%' || i + 1 >= format.size()) {
      out += format[i];
      continue;
    }
    ++i;
    if (format[i] == '%') {
      out += '%';
      continue;
    }
    const bool leftAligned = format[i] == '-';
    if (leftAligned) ++i;
    size_t width = 0;
    while (i < format.size() && format[i] >= '0' && format[i] <= '9')
      width = width * 10 + static_cast<size_t>(format[i++] - '0');
    // format[i] is the conversion letter; every conversion takes its argument as text.
    const std::string_view value = next != args.end() ? *next++ : std::string_view();
    const std::string padding(value.size() < width ? width - value.size() : 0, ' ');
    if (!leftAligned) out += padding;
    out += value;
    if (leftAligned) out += padding;
  }
  return out;
}

const char* SwitchText(bool on) {
  return ValueText(kSwitchTexts, on ? 1 : 0);
}

std::string ReportWriter::Spell(const ValueSpec& value) const {
  const unsigned stored = Get(image, value.field);
  if (value.texts && stored >= value.first) {
    if (const char* text = ValueText(*value.texts, stored - value.first)) return text;
  }
  return std::to_string(stored);
}

void ReportWriter::Line(const ValueLine& line) const {
  const std::string left = Spell(line.left);
  if (line.right)
    Piece(line.format, {left, Spell(*line.right)});
  else
    Piece(line.format, {left});
}
