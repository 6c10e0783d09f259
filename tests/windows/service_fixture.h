#pragma once
// The Windows tests talk to the stand-in tracking service that CTest starts on
// the host the build was configured with (QUORVANE_SERVICE_HOST).

#include <string>
#include <string_view>

#include "tracking/query_url.h"

namespace quorvane::test {

// A parcel of the demo data that the service knows under its courier.
inline constexpr std::string_view kKnownCompany = "xjkd";
inline constexpr std::string_view kKnownNumber = "XJ1000000001";

// The result-page URL for a number, with a fault mode of the service chosen by the "fault" key.
inline std::string serviceUrl(std::string_view company, std::string_view number, std::string_view fault = {}) {
  std::string url = buildQueryUrl(company, number);
  if (!fault.empty()) url += "&fault=" + std::string(fault);
  return url;
}

}  // namespace quorvane::test
