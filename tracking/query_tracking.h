#pragma once

#include <string_view>

#include "tracking/history_box.h"
#include "tracking/page_fetcher.h"
#include "tracking/status_text.h"
#include "tracking/tracking_patterns.h"

namespace quorvane {

// What a query works with: the compiled patterns, the company code of the
// courier chosen now, the fetcher, the history box that a detail query writes
// into, and the service's host[:port] (empty: the one the build names).
struct TrackingClient {
  const TrackingPatterns& patterns;
  std::string_view companyCode;
  PageFetcher& fetcher;
  HistoryBox& historyBox;
  std::string_view serviceHost = {};
};

// Asks the service about one number under the client's company code. Detail mode also shows the page's history in the
// box before the page is classified; any other mode value behaves as Summary. Every failure ends in a status text.
StatusText queryTracking(const TrackingClient& client, std::string_view trackingNumber, int mode);

}  // namespace quorvane
