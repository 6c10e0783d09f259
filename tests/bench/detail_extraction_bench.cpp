// Times the page pipeline on 1 MB pages.
// - showTrackingDetails alone on pages built to be slow for a search over the
//   whole page, and on a normal page of the same size: one line per page with
//   its name, size, the box calls made and the time taken;
// - the whole pipeline of a detail query (decoding, classification, detail
//   extraction) on a 1 MB UTF-8 answer, next to the UTF-8 to GBK conversion
//   alone of the same answer, for an ordinary page and for adversarial ones;
//   each with its ratio and the goal it is held to.

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <string>
#include <string_view>

#include "text/gbk_converter.h"
#include "tracking/classify_page.h"
#include "tracking/decode_page.h"
#include "tracking/detail_extraction.h"
#include "tracking/history_box.h"
#include "tracking/tracking_patterns.h"

namespace {

using quorvane::HistoryBox;

// Shows nothing; counts the calls and the bytes so the work cannot be optimised away.
class NullBox : public HistoryBox {
 public:
  void replaceText(std::string_view text) override {
    ++calls;
    bytes += text.size();
  }
  void appendText(std::string_view text) override {
    ++calls;
    bytes += text.size();
  }
  long calls = 0;
  std::size_t bytes = 0;
};

constexpr std::size_t kPageSize = 1 << 20;
constexpr int kRepeats = 15;  // the best of several runs, as the machine may be shared
constexpr double kOrdinaryGoal = 3.0;
constexpr double kAdversarialGoal = 5.0;

// <chrono> cannot be used here: its micro sign has no GBK form, and this file
// is compiled with GBK literals.
double nowMilliseconds() {
  std::timespec time{};
  std::timespec_get(&time, TIME_UTC);
  return static_cast<double>(time.tv_sec) * 1e3 + static_cast<double>(time.tv_nsec) / 1e6;
}

template <typename Work>
double milliseconds(Work work) {
  const double start = nowMilliseconds();
  work();
  return nowMilliseconds() - start;
}

std::string repeatedToSize(std::string_view piece) {
  std::string page;
  page.reserve(kPageSize + piece.size());
  while (page.size() < kPageSize) page.append(piece);
  return page;
}

// UTF-8 text from a u8 literal, which stays UTF-8 whatever the execution character set.
std::string_view utf8(std::u8string_view text) { return {reinterpret_cast<const char*>(text.data()), text.size()}; }

void timePage(const quorvane::TrackingPatterns& patterns, const char* name, const std::string& page) {
  NullBox box;
  const double start = nowMilliseconds();
  quorvane::showTrackingDetails(patterns, box, page);
  const double elapsed = nowMilliseconds() - start;
  std::printf("%-52s %8zu bytes %7ld calls %10.2f ms\n", name, page.size(), box.calls, elapsed);
}

// What a detail query does with an answer body, less the fetch and the box.
std::size_t runPipeline(const quorvane::TrackingPatterns& patterns, std::string_view body) {
  const std::string pageText = quorvane::decodePage(body);
  NullBox box;
  quorvane::showTrackingDetails(patterns, box, pageText);
  return quorvane::classifyPage(pageText).size() + box.bytes;
}

// The two in turn, the best time of each: on a shared machine both see the same load.
void timePipeline(const quorvane::TrackingPatterns& patterns, const char* name, const std::string& body, double goal) {
  std::size_t sink = 0;
  double conversion = 1e300, pipeline = 1e300;
  for (int run = 0; run < kRepeats; ++run) {
    conversion = std::min(conversion, milliseconds([&] { sink += quorvane::convertUtf8ToGbk(body)->size(); }));
    pipeline = std::min(pipeline, milliseconds([&] { sink += runPipeline(patterns, body); }));
  }
  const double ratio = pipeline / conversion;
  std::printf("%-44s %8zu %11.2f %11.2f %7.2fx %6.1fx %s\n", name, body.size(), pipeline, conversion, ratio, goal,
              ratio <= goal && sink > 0 ? "met" : "MISSED");
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

  std::printf("detail extraction alone\n");
  timePage(patterns, "entries without closing tags", unclosedEntries);
  timePage(patterns, "headline markers without closing tags", unclosedHeadlines);
  timePage(patterns, "middot; date prefixes", datePrefixes);
  timePage(patterns, "normal page of valid entries", normalPage);
  timePage(patterns, "entries without closing tags, then one </p>", unclosedEntries + "</p>");
  timePage(patterns, "headline markers without closing tags, then one </p>", unclosedHeadlines + "</p>");
  timePage(patterns, "middot; date prefixes, then one </p>", datePrefixes + "</p>");

  // The same pages as UTF-8 answers.
  const std::string entry = std::string(utf8(u8"<p>&middot;2024-05-01 08:00:00<br /> 北京 已揽收</p>"));
  const std::string ordinary =
      std::string(utf8(u8"<html><p>查询结果如下所示</p><p style='color:#F21818;'>已签收</p>")) + repeatedToSize(entry) +
      "</html>";
  const std::string openEntries = repeatedToSize(utf8(u8"<p>&middot;2024-05-01 08:00:00<br /> 北京 已揽收"));
  const std::string openHeadlines = repeatedToSize(utf8(u8"<p style='color:#F21818;'>已签收"));
  const std::string prefixes = repeatedToSize("&middot;2024-05-01 08:00:00");
  const std::string nearMarkers = repeatedToSize(utf8(u8"此单号暂无物流单号不正确您的IP地址被禁止查询结果如下"));

  std::printf("\n%-44s %8s %11s %11s %8s %7s\n", "whole pipeline (best of 15)", "bytes", "pipeline ms", "convert ms",
              "ratio", "goal");
  timePipeline(patterns, "ordinary page", ordinary, kOrdinaryGoal);
  timePipeline(patterns, "entries without closing tags, then one </p>", openEntries + "</p>", kAdversarialGoal);
  timePipeline(patterns, "headline markers without closing tags", openHeadlines + "</p>", kAdversarialGoal);
  timePipeline(patterns, "middot; date prefixes, then one </p>", prefixes + "</p>", kAdversarialGoal);
  timePipeline(patterns, "every marker cut short, no status", nearMarkers, kAdversarialGoal);
  timePipeline(patterns, "ordinary entries, every one matched", repeatedToSize(entry), kAdversarialGoal);
  return 0;
}
