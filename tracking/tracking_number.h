#pragma once

#include <string_view>

#include "tracking/tracking_patterns.h"

namespace quorvane {

// A tracking number is valid when it is five or more ASCII letters or digits
// and nothing else: the first match of numberPattern must be the whole number.
// The empty number is not valid, so it is never sent.
bool isValidTrackingNumber(const TrackingPatterns& patterns, std::string_view number);

}  // namespace quorvane
