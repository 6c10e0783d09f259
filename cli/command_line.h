#pragma once
// The command line of quorvane-batch: what to run, and any usage error.

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace quorvane::cli {

// A path on the command line, as the place of the argument that holds it, so
// that each platform opens the file by its own form of the argument (wide on
// Windows). The path follows an ASCII prefix of that argument ("--output=" or
// "-o" when the value is attached), which has as many characters in any form.
struct ArgPath {
  std::size_t arg = 0;
  std::size_t prefixLength = 0;
  bool operator==(const ArgPath&) const = default;
};

struct CommandLine {
  enum class Action { Run, Help, Version };
  Action action = Action::Run;
  std::optional<std::string> courierName;  // GBK
  std::optional<std::string> companyCode;
  std::optional<ArgPath> list;
  std::optional<ArgPath> output;
  std::vector<std::optional<ArgPath>> inputs;  // nullopt: standard input; none at all: standard input
  bool history = false;
  unsigned intervalMs = 0;
  std::string host;  // empty: the build's service host
  bool utf8 = false;
  bool quiet = false;
};

struct ParsedCommandLine {
  CommandLine commandLine;
  std::string error;  // empty when the command line is usable
};

// Takes the arguments after the program name, converted to GBK. Options take
// their value as the next argument, after "=" (long ones) or attached (short
// ones: -i0.5); "--" ends the options.
ParsedCommandLine parseCommandLine(const std::vector<std::string>& args);

std::string usageText();

}  // namespace quorvane::cli
