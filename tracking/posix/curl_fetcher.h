#pragma once
// Fetching pages with libcurl, with the same request and limits as the WinINet
// fetch. One easy handle serves every fetch of the instance; since each request
// asks the server to close, no connection outlives its fetch.

#include <functional>
#include <memory>

#include "tracking/fetch_request.h"
#include "tracking/page_fetcher.h"

namespace quorvane {

class CurlFetcher final : public PageFetcher {
 public:
  // cancelled, when given, is asked while a fetch waits or reads; true ends the
  // fetch at once, keeping what was read.
  explicit CurlFetcher(FetchLimits limits = {}, std::function<bool()> cancelled = {});
  ~CurlFetcher() override;
  CurlFetcher(const CurlFetcher&) = delete;
  CurlFetcher& operator=(const CurlFetcher&) = delete;

  std::string fetchPage(std::string_view url) override;

 private:
  struct Handle;
  FetchLimits limits_;
  std::function<bool()> cancelled_;
  std::unique_ptr<Handle> handle_;  // made at the first fetch
};

}  // namespace quorvane
