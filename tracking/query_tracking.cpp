#include "tracking/query_tracking.h"

#include "tracking/classify_page.h"
#include "tracking/decode_page.h"
#include "tracking/detail_extraction.h"
#include "tracking/query_url.h"

namespace quorvane {

StatusText queryTracking(const TrackingClient& client, std::string_view trackingNumber, int mode) {
  const std::string url = client.serviceHost.empty()
                              ? buildQueryUrl(client.companyCode, trackingNumber)
                              : buildQueryUrl(client.serviceHost, client.companyCode, trackingNumber);
  const std::string body = client.fetcher.fetchPage(url);
  const std::string pageText = decodePage(body);
  if (mode == Detail) showTrackingDetails(client.patterns, client.historyBox, pageText);
  return classifyPage(pageText);
}

}  // namespace quorvane
