#include "tracking/url_parts.h"

#include <charconv>

namespace quorvane {

std::optional<UrlParts> splitHttpUrl(std::string_view url) {
  url = url.substr(0, url.find('#'));
  constexpr std::string_view kScheme = "http://";
  if (url.substr(0, kScheme.size()) != kScheme) return std::nullopt;
  url.remove_prefix(kScheme.size());

  const std::size_t slash = url.find('/');
  std::string_view authority = url.substr(0, slash);
  UrlParts parts;
  parts.object = slash == std::string_view::npos ? "/" : std::string(url.substr(slash));

  if (const std::size_t colon = authority.rfind(':'); colon != std::string_view::npos) {
    const std::string_view portText = authority.substr(colon + 1);
    unsigned port = 0;
    const auto [end, error] = std::from_chars(portText.data(), portText.data() + portText.size(), port);
    if (error != std::errc() || end != portText.data() + portText.size() || port == 0 || port > 65535) {
      return std::nullopt;
    }
    parts.port = static_cast<unsigned short>(port);
    authority = authority.substr(0, colon);
  }
  if (authority.empty()) return std::nullopt;
  parts.host = std::string(authority);
  return parts;
}

}  // namespace quorvane
