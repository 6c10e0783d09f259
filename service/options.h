#pragma once
// The command line of quorvane-service.

#include <string>
#include <string_view>
#include <vector>

namespace quorvane::service {

struct Options {
  std::string listenAddress = "127.0.0.1";
  unsigned port = 8370;    // 0 picks a free port
  std::string dataFile;    // default: the repository's demo/parcels.txt
  unsigned barLimit = 30;  // 0 turns barring off
  unsigned barWindowSeconds = 60;
};

struct ParsedOptions {
  Options options;
  bool showHelp = false;
  std::string error;  // empty when the command line is valid
};

// Takes the arguments after the program name. Each option is "--name VALUE" or "--name=VALUE".
ParsedOptions parseOptions(const std::vector<std::string_view>& args);

std::string optionsHelp();

}  // namespace quorvane::service
