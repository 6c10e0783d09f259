#pragma once

#include <string_view>

#include "tracking/status_text.h"

namespace quorvane {

// Reduces a page text to its status: the first marker of a fixed order that the
// page holds, searched GBK-aware with case significant.
StatusText classifyPage(std::string_view pageText);

}  // namespace quorvane
