#include "service/options.h"

#include <charconv>
#include <optional>

#include "service/fault_mode.h"

namespace quorvane::service {
namespace {

std::optional<unsigned> parseUnsigned(std::string_view text, unsigned max) {
  unsigned value = 0;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (text.empty() || ec != std::errc() || end != text.data() + text.size() || value > max) return std::nullopt;
  return value;
}

// Stores value into the option name; returns what is wrong, empty if nothing.
std::string applyOption(std::string_view name, std::string_view value, Options& options) {
  const auto number = [&](unsigned& target, unsigned min, unsigned max) -> std::string {
    const auto parsed = parseUnsigned(value, max);
    if (!parsed || *parsed < min) {
      return std::string(name) + " wants a whole number from " + std::to_string(min) + " to " + std::to_string(max);
    }
    target = *parsed;
    return {};
  };
  if (name == "--listen") {
    if (value.empty()) return "--listen wants an address";
    options.listenAddress = value;
    return {};
  }
  if (name == "--data") {
    if (value.empty()) return "--data wants a file";
    options.dataFile = value;
    return {};
  }
  if (name == "--port") return number(options.port, 0, 65535);
  if (name == "--bar-limit") return number(options.barLimit, 0, 1000000);
  if (name == "--bar-window") return number(options.barWindowSeconds, 1, 86400);
  return "unknown option " + std::string(name);
}

}  // namespace

ParsedOptions parseOptions(const std::vector<std::string_view>& args) {
  ParsedOptions parsed;
  parsed.options.dataFile = QUORVANE_DEMO_DATA_FILE;
  for (std::size_t i = 0; i < args.size() && parsed.error.empty(); ++i) {
    std::string_view name = args[i];
    if (name == "--help" || name == "-h") {
      parsed.showHelp = true;
      continue;
    }
    if (!name.starts_with("--")) {
      parsed.error = "unexpected argument " + std::string(name);
      break;
    }
    std::string_view value;
    if (const std::size_t equals = name.find('='); equals != std::string_view::npos) {
      value = name.substr(equals + 1);
      name = name.substr(0, equals);
    } else if (i + 1 < args.size()) {
      value = args[++i];
    } else {
      parsed.error = std::string(name) + " wants a value";
      break;
    }
    parsed.error = applyOption(name, value, parsed.options);
  }
  return parsed;
}

std::string optionsHelp() {
  const Options defaults;
  return "Usage: quorvane-service [options]\n"
         "Stand-in tracking service: answers GET /wap_result.jsp?id=CODE&postid=NUMBER from a data file.\n"
         "\n"
         "  --listen ADDR        address to listen on (default " +
         defaults.listenAddress +
         ")\n"
         "  --port N             port to listen on, 0 picks a free one (default " +
         std::to_string(defaults.port) +
         ")\n"
         "  --data FILE          parcel data file (default " QUORVANE_DEMO_DATA_FILE
         ")\n"
         "  --bar-limit N        bar an address after N queries within the window, 0 never bars (default " +
         std::to_string(defaults.barLimit) +
         ")\n"
         "  --bar-window SECONDS length of the sliding window (default " +
         std::to_string(defaults.barWindowSeconds) +
         ")\n"
         "  --help               print this help\n"
         "\n"
         "Prints \"listening on ADDR:PORT\" once it accepts connections; one log line per request on stderr.\n"
         "A query selects a fault mode with fault=NAME or id=fault-NAME, NAME one of:\n  " +
         faultNameList() + "\n";
}

}  // namespace quorvane::service
