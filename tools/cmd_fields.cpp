// skelv get, set and diff: settings files as name = value lines, assignments
// to their fields, and the fields in which two settings differ.
#include <nlohmann/json.hpp>

#include <cstdio>
#include <fstream>
#include <iostream>
#include <memory>

#include "fields/field_list.h"
#include "keycodes/key_code_string.h"
#include "settings/settings_file.h"
#include "tools/command_line.h"
#include "tools/commands.h"
#include "tools/fleet.h"

namespace {

struct GetOptions {
  std::string path;
  std::vector<std::string> names;
  bool json = false;
};

bool Picked(const FieldSpec& field, const std::vector<std::string>& names) {
  if (names.empty()) return true;
  for (const std::string& name : names)
    if (NamePicks(name, field)) return true;
  return false;
}

// Numbers and switches as JSON numbers and booleans; a coded value as its
// text, or as its number when it has none.
nlohmann::ordered_json JsonValue(const SettingsImage& image, const FieldSpec& field,
                                 InterfaceKind mode) {
  switch (field.kind) {
    case FieldKind::Number:
      return Get(image, field.bits);
    case FieldKind::Switch:
      return Get(image, field.bits) != 0;
    case FieldKind::Coded:
    case FieldKind::Interface:
      if (!ValueTextOf(field, Get(image, field.bits))) return Get(image, field.bits);
      break;
    default:
      break;
  }
  return FieldText(image, field, mode);
}

int GetFields(const GetOptions& options) {
  for (const std::string& name : options.names) {
    bool known = false;
    for (const FieldSpec& f : ImageFields()) known = known || NamePicks(name, f);
    if (!known) throw UsageError{"no field named " + name};
  }
  SettingsImage image;
  if (!ReadImageFile("get", options.path, image)) return 1;
  const InterfaceKind mode = InterfaceModeFromImage(image);
  nlohmann::ordered_json json = nlohmann::ordered_json::object();
  std::string text;
  for (const FieldSpec& f : ImageFields()) {
    if (!Picked(f, options.names)) continue;
    if (options.json) {
      json[f.name] = JsonValue(image, f, mode);
      continue;
    }
    const std::string value = FieldText(image, f, mode);
    text += f.name + (value.empty() ? " =\n" : " = " + value + "\n");
  }
  if (options.json) text = json.dump(2) + "\n";
  std::fwrite(text.data(), 1, text.size(), stdout);
  return std::fflush(stdout) == 0 ? 0 : 1;
}

struct SetOptions {
  std::string path;
  std::vector<std::string> assignments;
  std::string from;  // a list in get's format; "-" for standard input
};

std::string Trimmed(std::string_view text) {
  const size_t begin = text.find_first_not_of(" \t\r");
  if (begin == std::string_view::npos) return "";
  return std::string(text.substr(begin, text.find_last_not_of(" \t\r") - begin + 1));
}

// NAME=VALUE, or NAME = VALUE as get prints it; false when there is no "=".
bool Split(std::string_view line, Assignment& assignment) {
  const size_t equals = line.find('=');
  if (equals == std::string_view::npos) return false;
  assignment = {Trimmed(line.substr(0, equals)), Trimmed(line.substr(equals + 1))};
  return true;
}

// The assignments of the list, then those of the command line.
bool Collect(const SetOptions& options, std::vector<Assignment>& assignments,
             std::vector<std::string>& refusals) {
  if (!options.from.empty()) {
    std::ifstream file;
    if (options.from != "-") file.open(options.from);
    std::istream& in = options.from == "-" ? std::cin : file;
    if (!in) {
      SayCannotRead("set", options.from);
      return false;
    }
    std::string line;
    for (int number = 1; std::getline(in, line); ++number) {
      const std::string trimmed = Trimmed(line);
      if (trimmed.empty() || trimmed[0] == '#') continue;
      Assignment a;
      if (Split(trimmed, a))
        assignments.push_back(std::move(a));
      else
        refusals.push_back(options.from + " line " + std::to_string(number) +
                           ": not a NAME = VALUE line");
    }
  }
  for (const std::string& argument : options.assignments) {
    Assignment a;
    if (Split(argument, a))
      assignments.push_back(std::move(a));
    else
      refusals.push_back("\"" + argument + "\": not NAME=VALUE");
  }
  return true;
}

int SetFields(const SetOptions& options) {
  if (options.assignments.empty() && options.from.empty())
    throw UsageError{"nothing to set: give NAME=VALUE or --from LIST"};
  SettingsImage image;
  if (!ReadImageFile("set", options.path, image)) return 1;
  std::vector<Assignment> assignments;
  std::vector<std::string> refusals;
  if (!Collect(options, assignments, refusals)) return 1;
  for (std::string& refusal : ApplyAssignments(image, assignments))
    refusals.push_back(std::move(refusal));
  for (const std::string& refusal : refusals)
    std::fprintf(stderr, "skelv set: %s\n", refusal.c_str());
  if (!refusals.empty()) return 2;
  if (WriteSettingsFile(options.path.c_str(), image)) return 0;
  std::fprintf(stderr, "skelv set: cannot write %s\n", options.path.c_str());
  return 1;
}

struct DiffOptions {
  std::vector<std::string> files;
  std::vector<std::string> ports;
  LineOptions line;
  CLI::App* command = nullptr;
};

std::string Shown(const std::string& text) {
  return text.empty() ? "(empty)" : text;
}

int DiffSettings(const DiffOptions& options) {
  if (options.files.size() + options.ports.size() != 2)
    throw UsageError{"give two settings, each a FILE or --port DEVICE"};
  // A and B in the order given, whether files or ports.
  SettingsImage images[2];
  size_t file = 0, port = 0, side = 0;
  for (const CLI::Option* given : options.command->parse_order()) {
    const bool isPort = given->get_name() == "--port";
    if (!isPort && given->get_name() != "FILE") continue;
    SettingsImage& image = images[side++];
    if (!isPort) {
      if (!ReadImageFile("diff", options.files[file++], image)) return 2;
      continue;
    }
    std::string reason;
    const std::string& device = options.ports[port++];
    if (!ReadScanner(device, LineSettings(options.line), image, reason)) {
      std::fprintf(stderr, "skelv diff: %s: failed: %s\n", device.c_str(), reason.c_str());
      return 2;
    }
  }
  const std::vector<FieldDifference> differences = DifferingFields(images[0], images[1]);
  for (const FieldDifference& d : differences)
    std::printf("%s: %s -> %s\n", d.name.c_str(), Shown(d.before).c_str(), Shown(d.after).c_str());
  return differences.empty() ? 0 : 1;
}

}  // namespace

CommandRun DefineGet(CLI::App& command) {
  auto options = std::make_shared<GetOptions>();
  command.add_option("FILE", options->path, "the settings file")->required();
  command.add_option("NAME", options->names, "fields or groups of fields to print (default all)");
  command.add_flag("--json", options->json, "print one JSON object");
  return [options] { return GetFields(*options); };
}

CommandRun DefineSet(CLI::App& command) {
  auto options = std::make_shared<SetOptions>();
  command.add_option("FILE", options->path, "the settings file, replaced in one step")->required();
  command.add_option("NAME=VALUE", options->assignments, "assignments, as get prints fields");
  command.add_option("--from", options->from, "a list of NAME = VALUE lines; - reads stdin");
  return [options] { return SetFields(*options); };
}

CommandRun DefineDiff(CLI::App& command) {
  auto options = std::make_shared<DiffOptions>();
  options->command = &command;
  command.add_option("FILE", options->files, "a settings file")->expected(0, 2);
  command.add_option("--port", options->ports, "a scanner to read instead of a file")
      ->allow_extra_args(false);
  AddLineOptions(command, options->line);
  return [options] { return DiffSettings(*options); };
}
