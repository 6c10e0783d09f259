#pragma once
// Which answer page a tracking query gets, from its company code and number.

#include <optional>
#include <string>
#include <string_view>

#include "service/parcel_data.h"
#include "service/tracking_pages.h"

namespace quorvane::service {

struct PageChoice {
  PageKind kind = PageKind::kUnknown;
  const Parcel* parcel = nullptr;  // set for kKnown only
};

// A number of bad form gets the bad-number page whatever the code; otherwise the
// number is known only under its own courier's code. courierCode nullopt looks
// the number up under every courier.
PageChoice choosePage(const ParcelData& data, std::optional<std::string_view> courierCode, std::string_view number);

std::string renderChosenPage(const ParcelData& data, const PageChoice& choice);

}  // namespace quorvane::service
