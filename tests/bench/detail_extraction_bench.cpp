// Times showTrackingDetails on 1 MB pages built to be slow for a search over
// the whole page, and on a normal page of the same size. Prints one line per
// page: its name, size, the box calls made and the time taken.

#include <cstdio>
#include <ctime>
#include <string>
#include <string_view>

#include "tracking/detail_extraction.h"
#include "tracking/history_box.h"
#include "tracking/tracking_patterns.h"

namespace {

using quorvane::HistoryBox;

// Shows nothing; counts the calls so the work cannot be optimised away.
class NullBox : public HistoryBox {
 public:
  void replaceText(std::string_view) override { ++calls; }
  void appendText(std::string_view) override { ++calls; }
  long calls = 0;
};

constexpr std::size_t kPageSize = 1 << 20;

// <chrono> cannot be used here: its micro sign has no GBK form, and this file
// is compiled with GBK literals.
double nowMilliseconds() {
  std::timespec time{};
  std::timespec_get(&time, TIME_UTC);
  return static_cast<double>(time.tv_sec) * 1e3 + static_cast<double>(time.tv_nsec) / 1e6;
}

std::string repeatedToSize(std::string_view piece) {
  std::string page;
  page.reserve(kPageSize + piece.size());
  while (page.size() < kPageSize) page.append(piece);
  return page;
}

void timePage(const quorvane::TrackingPatterns& patterns, const char* name, const std::string& page) {
  NullBox box;
  const double start = nowMilliseconds();
  quorvane::showTrackingDetails(patterns, box, page);
  const double elapsed = nowMilliseconds() - start;
  std::printf("%-52s %8zu bytes %7ld calls %10.2f ms\n", name, page.size(), box.calls, elapsed);
}

}  // namespace

int main() {
  quorvane::TrackingPatterns patterns;
  quorvane::compilePatterns(patterns);

  const std::string unclosedEntries = repeatedToSize("<p>&middot;2024-05-01 08:00:00<br /> 北京 已揽收");
  const std::string unclosedHeadlines = repeatedToSize("<p style='color:#F21818;'>已签收");
  const std::string datePrefixes = repeatedToSize("&middot;2024-05-01 08:00:00");
  const std::string normalPage =
      "<p style='color:#F21818;'>已签收</p>" + repeatedToSize("<p>&middot;2024-05-01 08:00:00<br /> 北京 已揽收</p>");

  timePage(patterns, "entries without closing tags", unclosedEntries);
  timePage(patterns, "headline markers without closing tags", unclosedHeadlines);
  timePage(patterns, "middot; date prefixes", datePrefixes);
  timePage(patterns, "normal page of valid entries", normalPage);
  timePage(patterns, "entries without closing tags, then one </p>", unclosedEntries + "</p>");
  timePage(patterns, "headline markers without closing tags, then one </p>", unclosedHeadlines + "</p>");
  timePage(patterns, "middot; date prefixes, then one </p>", datePrefixes + "</p>");
  return 0;
}
