// Argument handling shared by the skelv commands: options, positionals, usage errors.
#pragma once

#include <map>
#include <optional>
#include <span>
#include <string>
#include <vector>

// An option a command accepts: "--name VALUE" (takesValue) or the flag "--name".
// `alias` is an optional short form such as "-o".
struct OptionSpec {
  const char* name;
  bool takesValue;
  const char* alias = nullptr;
};

struct ParsedArgs {
  std::map<std::string, std::string> options;  // by long name; flags map to ""
  std::vector<std::string> positionals;

  bool Has(const std::string& name) const { return options.count(name) != 0; }
  std::optional<std::string> Value(const std::string& name) const;
};

// Thrown inside a command for a misuse of its arguments; main turns it into
// one line on stderr and exit status 2.
struct UsageError {
  std::string message;
};

// Parses `args` against `known`; an unknown option or a missing value throws.
ParsedArgs ParseArgs(std::span<char* const> args, std::span<const OptionSpec> known);

// Throws unless exactly `count` positionals were given.
void RequirePositionals(const ParsedArgs& parsed, size_t count, const char* what);

// The value of a required option, or a UsageError naming it.
std::string RequireOption(const ParsedArgs& parsed, const std::string& name);

// The value of an option that must be one of `choices`; returns its index, or
// `fallback` when the option is absent.
int ChoiceOption(const ParsedArgs& parsed, const std::string& name,
                 std::span<const char* const> choices, int fallback);

// An unsigned decimal option within [low, high]; `fallback` when absent.
unsigned NumberOption(const ParsedArgs& parsed, const std::string& name, unsigned low,
                      unsigned high, unsigned fallback);
