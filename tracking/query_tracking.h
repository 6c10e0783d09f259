#pragma once

#include <string_view>

#include "app/app_state.h"
#include "tracking/history_box.h"
#include "tracking/page_fetcher.h"
#include "tracking/status_text.h"

namespace quorvane {

// What a query works with: the state (patterns and the courier chosen now), the
// fetcher, and the history box that a detail query writes into.
struct TrackingClient {
  const AppState& state;
  PageFetcher& fetcher;
  HistoryBox& historyBox;
};

// Asks the service about one number under state.currentCompanyCode as it is at
// the call. Detail mode also shows the page's history in the box before the
// page is classified; any other mode value behaves as Summary. Every failure
// ends in a status text.
StatusText queryTracking(const TrackingClient& client, std::string_view trackingNumber, int mode);

}  // namespace quorvane
