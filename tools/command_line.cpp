// Option parsing for skelv.
#include "tools/command_line.h"

#include <cstring>

std::optional<std::string> ParsedArgs::Value(const std::string& name) const {
  const auto it = options.find(name);
  if (it == options.end()) return std::nullopt;
  return it->second;
}

ParsedArgs ParseArgs(std::span<char* const> args, std::span<const OptionSpec> known) {
  ParsedArgs parsed;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string arg = args[i];
    if (arg.size() < 2 || arg[0] != '-') {
      parsed.positionals.push_back(arg);
      continue;
    }
    const OptionSpec* option = nullptr;
    for (const OptionSpec& s : known)
      if (arg == std::string("--") + s.name || (s.alias && arg == s.alias)) option = &s;
    if (!option) throw UsageError{"unknown option " + arg};
    if (!option->takesValue) {
      parsed.options[option->name] = "";
      continue;
    }
    if (i + 1 >= args.size()) throw UsageError{"option " + arg + " needs a value"};
    parsed.options[option->name] = args[++i];
  }
  return parsed;
}

void RequirePositionals(const ParsedArgs& parsed, size_t count, const char* what) {
  if (parsed.positionals.size() < count) throw UsageError{std::string("missing ") + what};
  if (parsed.positionals.size() > count)
    throw UsageError{"unexpected argument " + parsed.positionals[count]};
}

std::string RequireOption(const ParsedArgs& parsed, const std::string& name) {
  const auto value = parsed.Value(name);
  if (!value || value->empty()) throw UsageError{"missing option --" + name};
  return *value;
}

int ChoiceOption(const ParsedArgs& parsed, const std::string& name,
                 std::span<const char* const> choices, int fallback) {
  const auto value = parsed.Value(name);
  if (!value) return fallback;
  for (size_t i = 0; i < choices.size(); ++i)
    if (*value == choices[i]) return static_cast<int>(i);
  std::string allowed;
  for (const char* c : choices) allowed += (allowed.empty() ? "" : "|") + std::string(c);
  throw UsageError{"--" + name + " must be one of " + allowed + ", not " + *value};
}

unsigned NumberOption(const ParsedArgs& parsed, const std::string& name, unsigned low,
                      unsigned high, unsigned fallback) {
  const auto value = parsed.Value(name);
  if (!value) return fallback;
  unsigned long n = 0;
  bool ok = !value->empty() && value->size() <= 9;
  for (char c : *value) ok = ok && c >= '0' && c <= '9';
  if (ok) n = std::stoul(*value);
  if (!ok || n < low || n > high)
    throw UsageError{"--" + name + " must be a number from " + std::to_string(low) + " to " +
                     std::to_string(high) + ", not " + *value};
  return static_cast<unsigned>(n);
}
