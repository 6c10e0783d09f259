#pragma once
// The request URL of the tracking service's mobile result page.

#include <string>
#include <string_view>

namespace quorvane {

// host[:port] of the tracking service, fixed when the program is built.
std::string_view serviceHost();

// Every byte that is not an unreserved URL character (letters, digits, "-",
// ".", "_", "~") as %XX, so that no number or code can cut the request short,
// add a query key or send raw control or GBK bytes.
std::string percentEncode(std::string_view bytes);

// The URL of a query to the build's service host.
std::string buildQueryUrl(std::string_view companyCode, std::string_view trackingNumber);
// The same URL on another host[:port], which is taken as it stands.
std::string buildQueryUrl(std::string_view host, std::string_view companyCode, std::string_view trackingNumber);

}  // namespace quorvane
