#pragma once

#include <string>
#include <string_view>

namespace quorvane {

// Fetches the body of one page with a plain GET. Never fails: a failed fetch
// yields the bytes read so far, possibly none.
class PageFetcher {
 public:
  virtual ~PageFetcher() = default;
  virtual std::string fetchPage(std::string_view url) = 0;
};

}  // namespace quorvane
