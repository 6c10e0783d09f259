#pragma once
// The progress line on a terminal: numbers done (of how many, when known), the
// statuses so far, the time since the start and the rate. GBK text.

#include <cstdint>
#include <string>

#include "cli/tally.h"

namespace quorvane::cli {

// For example "12/40  已扫描 10  单号不正确 2  0:07  1.7/s".
std::string progressText(const Tally& tally, std::uint64_t elapsedMs);

}  // namespace quorvane::cli
