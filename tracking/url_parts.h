#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace quorvane {

// The pieces an HTTP client connects and asks with.
struct UrlParts {
  std::string host;
  unsigned short port = 80;
  std::string object;  // path and query, as they stand
};

// Splits "http://host[:port]/object": the URL is cut before its first "#",
// nothing is escaped. nullopt for anything that is not a plain http URL.
std::optional<UrlParts> splitHttpUrl(std::string_view url);

}  // namespace quorvane
