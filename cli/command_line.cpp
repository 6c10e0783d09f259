#include "cli/command_line.h"

#include <charconv>
#include <cmath>
#include <string_view>

namespace quorvane::cli {
namespace {

enum class Option { Courier, Code, List, Output, History, Interval, Host, Utf8, Quiet, Help, Version };

struct OptionName {
  Option option;
  std::string_view longName;
  char shortName;  // 0: none
  bool takesValue;
};

constexpr OptionName kOptions[] = {
    {Option::Courier, "--courier", 'c', true}, {Option::Code, "--code", 0, true},
    {Option::List, "--list", 'l', true},       {Option::Output, "--output", 'o', true},
    {Option::History, "--history", 0, false},  {Option::Interval, "--interval", 'i', true},
    {Option::Host, "--host", 0, true},         {Option::Utf8, "--utf8", 0, false},
    {Option::Quiet, "--quiet", 'q', false},    {Option::Help, "--help", 'h', false},
    {Option::Version, "--version", 0, false},
};

constexpr double kMaxIntervalSeconds = 86'400;

const OptionName* findLong(std::string_view name) {
  for (const OptionName& option : kOptions) {
    if (option.longName == name) return &option;
  }
  return nullptr;
}

const OptionName* findShort(char name) {
  for (const OptionName& option : kOptions) {
    if (option.shortName != 0 && option.shortName == name) return &option;
  }
  return nullptr;
}

// Seconds as plain decimals ("2", "0.25"): no sign, exponent, infinity or NaN.
std::optional<unsigned> parseIntervalMs(std::string_view text) {
  if (text.empty() || text.find_first_not_of("0123456789.") != std::string_view::npos) return std::nullopt;
  double seconds = 0;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), seconds);
  if (ec != std::errc() || end != text.data() + text.size() || seconds > kMaxIntervalSeconds) return std::nullopt;
  return static_cast<unsigned>(std::lround(seconds * 1000));
}

bool isHostCharacter(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '.' || c == '-' || c == '_';
}

// HOST[:PORT]: a name or IPv4 address, and a port from 1 to 65535.
bool isHostAndPort(std::string_view text) {
  const std::size_t colon = text.find(':');
  const std::string_view host = text.substr(0, colon);
  if (host.empty()) return false;
  for (const char c : host) {
    if (!isHostCharacter(c)) return false;
  }
  if (colon == std::string_view::npos) return true;
  const std::string_view port = text.substr(colon + 1);
  unsigned value = 0;
  const auto [end, ec] = std::from_chars(port.data(), port.data() + port.size(), value);
  return !port.empty() && ec == std::errc() && end == port.data() + port.size() && value >= 1 && value <= 65535;
}

// Stores one option; returns what is wrong with it, empty if nothing.
std::string apply(const OptionName& option, std::string_view value, ArgPath valuePlace, CommandLine& line) {
  switch (option.option) {
    case Option::Courier:
      if (value.empty()) return "--courier wants a courier name";
      line.courierName = std::string(value);
      break;
    case Option::Code:
      if (value.empty()) return "--code wants a company code";
      line.companyCode = std::string(value);
      break;
    case Option::List:
      if (value.empty()) return "--list wants a path";
      line.list = valuePlace;
      break;
    case Option::Output:
      if (value.empty()) return "--output wants a path";
      line.output = valuePlace;
      break;
    case Option::Interval:
      if (const auto ms = parseIntervalMs(value)) {
        line.intervalMs = *ms;
      } else {
        return "--interval wants seconds from 0 to 86400, such as 2 or 0.5, not \"" + std::string(value) + "\"";
      }
      break;
    case Option::Host:
      if (!isHostAndPort(value)) return "--host wants HOST or HOST:PORT, not \"" + std::string(value) + "\"";
      line.host = std::string(value);
      break;
    case Option::History:
      line.history = true;
      break;
    case Option::Utf8:
      line.utf8 = true;
      break;
    case Option::Quiet:
      line.quiet = true;
      break;
    case Option::Help:
      line.action = CommandLine::Action::Help;
      break;
    case Option::Version:
      if (line.action == CommandLine::Action::Run) line.action = CommandLine::Action::Version;
      break;
  }
  return {};
}

// What a run needs beyond well-formed options.
std::string checkComplete(const CommandLine& line) {
  if (line.action != CommandLine::Action::Run) return {};
  if (line.courierName && line.companyCode) return "give either --courier or --code, not both";
  if (!line.courierName && !line.companyCode) return "no courier: give --courier NAME or --code CODE";
  return {};
}

}  // namespace

ParsedCommandLine parseCommandLine(const std::vector<std::string>& args) {
  ParsedCommandLine parsed;
  CommandLine& line = parsed.commandLine;
  bool optionsEnded = false;
  for (std::size_t i = 0; i < args.size() && parsed.error.empty(); ++i) {
    const std::string_view arg = args[i];
    if (optionsEnded || arg == "-" || !arg.starts_with("-")) {
      line.inputs.push_back(arg == "-" && !optionsEnded ? std::nullopt : std::optional(ArgPath{i, 0}));
      continue;
    }
    if (arg == "--") {
      optionsEnded = true;
      continue;
    }
    const OptionName* option = nullptr;
    std::optional<std::string_view> attached;
    if (arg.starts_with("--")) {
      const std::size_t equals = arg.find('=');
      option = findLong(arg.substr(0, equals));
      if (equals != std::string_view::npos) attached = arg.substr(equals + 1);
    } else {
      option = findShort(arg[1]);
      if (arg.size() > 2) attached = arg.substr(2);
    }
    if (!option) {
      parsed.error = "unknown option " + std::string(arg);
      break;
    }
    if (!option->takesValue) {
      if (attached) {
        parsed.error = std::string(option->longName) + " takes no value";
        break;
      }
      parsed.error = apply(*option, {}, {}, line);
      continue;
    }
    if (attached) {
      parsed.error = apply(*option, *attached, {i, arg.size() - attached->size()}, line);
      continue;
    }
    if (i + 1 == args.size()) {
      parsed.error = std::string(option->longName) + " wants a value";
      break;
    }
    ++i;
    parsed.error = apply(*option, args[i], {i, 0}, line);
  }
  if (parsed.error.empty()) parsed.error = checkComplete(line);
  return parsed;
}

std::string usageText() {
  return "Usage: quorvane-batch [OPTIONS] [FILE...]\n"
         "Looks up the state of each tracking number in the files (or standard input) and\n"
         "writes one line per number, \"number  status\", as the window's export does.\n"
         "\n"
         "  -c, --courier NAME      the courier by its name in the courier list\n"
         "      --code CODE         the company code itself, instead of --courier\n"
         "  -l, --list PATH         the courier list (default: infor.ini beside the program,\n"
         "                          else in the current folder)\n"
         "  -o, --output PATH       write the results there instead of standard output\n"
         "      --history           after each result line, that number's history lines\n"
         "  -i, --interval SECONDS  wait this long between two queries (default 0; decimals allowed)\n"
         "      --host HOST[:PORT]  the tracking service (default: the one the build names)\n"
         "      --utf8              input files and standard input are UTF-8, and so is the output\n"
         "  -q, --quiet             no progress on standard error\n"
         "  -h, --help              print this help\n"
         "      --version           print the version\n"
         "\n"
         "A FILE of \"-\" is standard input. Exit status: 0 when the service answered every\n"
         "query, 1 when a query failed or the service barred the address, 2 when the run\n"
         "could not start or its output could not be written, 130 after Ctrl+C.\n";
}

}  // namespace quorvane::cli
