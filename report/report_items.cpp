// The items of the report, each named as the report shows it, and the items
// in which the reports of two images differ.
#include <sstream>
#include <utility>
#include <vector>

#include "report/settings_report.h"

namespace {

struct Item {
  std::string section;
  std::string name;  // "Scan Mode", "Code 39: Verify Checksum"
  int before;        // items of the same name earlier in the section
  std::string value;
  std::string shown;  // the name, and the section where another one shows the name too
  bool operator==(const Item& o) const {
    return section == o.section && name == o.name && before == o.before;
  }
};

std::string Trimmed(std::string_view text) {
  const size_t first = text.find_first_not_of(" *");
  const size_t last = text.find_last_not_of(' ');
  return first == std::string_view::npos ? "" : std::string(text.substr(first, last - first + 1));
}

// A line's "Label : value" columns. Columns are apart by two spaces or more;
// a piece without a colon is the value of the one before ("Min Length :   4").
std::vector<std::pair<std::string, std::string>> Columns(std::string_view line) {
  std::vector<std::string> pieces;
  for (size_t at = line.find_first_not_of(' '); at != std::string_view::npos;) {
    const size_t gap = line.find("  ", at);
    const std::string piece(line.substr(at, gap == std::string_view::npos ? gap : gap - at));
    if (piece.find(':') == std::string::npos && !pieces.empty())
      pieces.back() += " " + piece;
    else
      pieces.push_back(piece);
    at = gap == std::string_view::npos ? gap : line.find_first_not_of(' ', gap);
  }
  std::vector<std::pair<std::string, std::string>> columns;
  for (const std::string& piece : pieces) {
    const size_t colon = piece.find(':');
    if (colon != std::string::npos)
      columns.emplace_back(Trimmed(piece.substr(0, colon)), Trimmed(piece.substr(colon + 1)));
  }
  return columns;
}

std::vector<Item> ReportItems(const SettingsImage& image, InterfaceKind mode) {
  std::vector<Item> items;
  std::istringstream report(ReportText(image, mode));
  std::string section, group;
  const auto add = [&](const std::string& name, const std::string& value) {
    int before = 0;
    for (const Item& item : items) before += item.name == name && item.section == section;
    items.push_back({section, name, before, value, name});
  };
  for (std::string line; std::getline(report, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    const size_t indent = line.find_first_not_of(' ');
    if (indent == std::string::npos || line.starts_with("*")) continue;
    const std::string text = Trimmed(line);
    if (indent == 0) {
      section = text;
      group.clear();
    } else if (indent == 4 && line[4] != '*' && text.back() == ':') {
      group = Trimmed(text.substr(0, text.size() - 1));  // "UPCE :"
    } else if (indent == 4 && (text.starts_with("Enable ") || text.starts_with("Disable "))) {
      group = text.substr(text.find(' ') + 1);  // "Enable Code 39"
      add(group, text.substr(0, text.find(' ')));
    } else {
      // A line under a group is named after the group too.
      const bool grouped = indent > 4 || line[4] == '*';
      for (const auto& [label, value] : Columns(line))
        add(grouped && !group.empty() ? group + ": " + label : label, value);
    }
  }
  // A name that two sections show ("Code 39") is told apart by its section.
  for (Item& item : items)
    for (const Item& other : items)
      if (other.name == item.name && other.section != item.section) {
        item.shown = item.section + ": " + item.name;
        break;
      }
  return items;
}

}  // namespace

std::vector<std::string> DifferingReportItems(const SettingsImage& a, const SettingsImage& b,
                                              InterfaceKind mode) {
  const std::vector<Item> before = ReportItems(a, mode), after = ReportItems(b, mode);
  std::vector<std::string> names;
  const auto differs = [&names](const std::vector<Item>& these, const std::vector<Item>& those,
                                bool valuesToo) {
    for (const Item& item : these) {
      bool matched = false, same = false;
      for (const Item& other : those)
        if (other == item) matched = true, same = other.value == item.value;
      if (!matched || (valuesToo && !same)) names.push_back(item.shown);
    }
  };
  differs(before, after, true);
  differs(after, before, false);
  return names;
}
