// Cutting reports into sections for the report tests.
#include "tests/report/report_test_support.h"

std::string Between(std::string_view report, std::string_view from, std::string_view to) {
  const size_t begin = report.find(from);
  if (begin == std::string_view::npos) return "";
  const size_t end = report.find(to, begin + from.size());
  return std::string(report.substr(begin, end == std::string_view::npos ? end : end - begin));
}

std::string InterfaceSection(std::string_view report) {
  return Between(report, "\r\nInterface Settings\r\n", "\r\nBuzzer Settings\r\n");
}

std::string ScannerSection(std::string_view report) {
  return Between(report, "\r\nBuzzer Settings\r\n", "\r\nReadable Code Types");
}

std::string SymbologyBlock(std::string_view report, std::string_view name) {
  const std::string section =
      Between(report, "\r\nReadable Code Types & Settings\r", "\r\nCode Length Settings\r\n");
  // The header is the block's only line that ends in the name and is no option.
  std::string ending = " ";
  ending.append(name).append("\r\n");
  for (size_t at = section.find(ending); at != std::string::npos;
       at = section.find(ending, at + 1)) {
    const size_t begin = section.rfind('\n', at);
    if (begin == std::string::npos || section.compare(begin, 6, "\n    *") == 0) continue;
    const size_t end = section.find("\r\n\n", at);
    return section.substr(begin, end == std::string::npos ? end : end + 2 - begin);
  }
  return "";
}

std::string CodeIdSection(std::string_view report) {
  return Between(report, "\r\nCode ID Settings\r\n", "\r\nCharacter Substitution");
}

std::string SubstitutionSection(std::string_view report) {
  return Between(report, "\r\nCharacter Substitution Settings \r\n", "\r\nData editing\r\n");
}

std::string DataEditingSection(std::string_view report) {
  const size_t begin = report.find("\r\nData editing\r\n");
  return begin == std::string_view::npos ? "" : std::string(report.substr(begin));
}

std::string FormatBlock(std::string_view report, int f) {
  const std::string section = DataEditingSection(report);
  const std::string header = " Editing Format " + std::to_string(f) + "\r\n";
  const size_t at = section.find(header);
  if (at == std::string::npos) return "";
  const size_t begin = section.rfind('\n', at);
  const size_t end = section.find(" Editing Format ", at + header.size());
  if (end == std::string::npos) return section.substr(begin);
  return section.substr(begin, section.rfind('\n', end) - begin);
}

std::string ReplaceAll(std::string text, std::string_view what, std::string_view replacement) {
  for (size_t at = text.find(what); at != std::string::npos;
       at = text.find(what, at + replacement.size()))
    text.replace(at, what.size(), replacement);
  return text;
}
