// The answer side of a query: decoding, classification and the two modes.

#include <gtest/gtest.h>

#include <vector>

#include "fakes/fake_main_window.h"
#include "fakes/pages.h"
#include "shared/text_history_box.h"

#include "tracking/classify_page.h"
#include "tracking/decode_page.h"
#include "tracking/query_tracking.h"
#include "tracking/query_url.h"
#include "ui/app_state.h"

namespace quorvane {
namespace {

using namespace std::string_view_literals;

TEST(DecodePage, ConvertsAndStopsAtTheFirstNul) {
  struct Case {
    const char* name;
    std::string_view body;
    std::string_view pageText;
  } const cases[] = {
      {"empty body", ""sv, ""sv},
      {"utf-8 text", "x\xE6\x9F\xA5"sv, "x\xB2\xE9"sv},
      {"nul cuts the text", "ab\0\xE6\x9F\xA5"sv, "ab"sv},
      {"leading nul gives nothing", "\0abc"sv, ""sv},
      {"character without GBK form",
       "a\xF0\x9F\x93\xA6"
       "b"sv,
       "a?b"sv},
      {"invalid utf-8 fails whole", "abc\xFF"sv, ""sv},
      {"cut inside a character fails whole", "abc\xE6\x9F"sv, ""sv},
  };
  for (const auto& [name, body, pageText] : cases) {
    SCOPED_TRACE(name);
    EXPECT_EQ(decodePage(body), pageText);
  }
}

// The status texts and the markers are written as GBK bytes, so that every
// compiler builds the same; here they meet the texts as this build's GBK
// execution character set makes them (the markers through the table below).
TEST(StatusText, IsTheGbkOfItsText) {
  EXPECT_EQ(status::kQueryFailed, "查询失败");
  EXPECT_EQ(status::kNoInformation, "暂无物流信息");
  EXPECT_EQ(status::kBadNumber, "单号不正确");
  EXPECT_EQ(status::kAddressBarred, "您的IP地址被禁止访问");
  EXPECT_EQ(status::kScanned, "已扫描");
  EXPECT_EQ(status::kUnknownError, "未知错误");
}

TEST(ClassifyPage, FirstMarkerOfTheOrderWins) {
  struct Case {
    const char* name;
    std::string page;
    StatusText status;
  } const cases[] = {
      {"empty", "", status::kQueryFailed},
      {"no information", "<p>此单号暂无物流信息</p>", status::kNoInformation},
      {"bad number", "单号不正确", status::kBadNumber},
      {"barred", "您的IP地址被禁止访问", status::kAddressBarred},
      {"scanned", "<p>查询结果如下所示：</p>", status::kScanned},
      {"none", "<html>404 not found</html>", status::kUnknownError},
      {"no information before scanned", "查询结果如下所示 此单号暂无物流信息", status::kNoInformation},
      {"bad number before barred", "您的IP地址被禁止访问 单号不正确", status::kBadNumber},
      {"barring sentence is case sensitive", "您的ip地址被禁止访问", status::kUnknownError},
      {"marker split by a tag", "查询结果<b>如下所示", status::kUnknownError},
      {"euro sign before a marker", "\x80此单号暂无物流信息", status::kNoInformation},  // 0x80: one byte
      {"0xFF before a marker", "\xFF单号不正确", status::kBadNumber},                   // 0xFF: one byte
  };
  for (const auto& [name, page, status] : cases) {
    SCOPED_TRACE(name);
    EXPECT_EQ(classifyPage(page), status);
  }
}

TEST(ClassifyPage, MarkerNeverStartsOnATrailByte) {
  // "单号不正确" is B5 A5 BA C5 B2 BB D5 FD C8 B7. Behind a lead byte 0xB0 the
  // same bytes begin on a trail byte and are no marker; one byte later they are.
  const std::string marker = "单号不正确";
  EXPECT_EQ(classifyPage("\xB0" + marker), status::kUnknownError) << "pairs: B0B5 A5BA C5B2 BBD5 FDC8 B7";
  EXPECT_EQ(classifyPage("a" + marker), status::kBadNumber);
  EXPECT_EQ(classifyPage("\xB0\xA1" + marker), status::kBadNumber);
}

struct QueryFixture : ::testing::Test {
  QueryFixture() {
    compilePatterns(*state);
    fetcher.page = test::kScannedPage;
  }
  StatusText query(std::string_view number, int mode) {
    return queryTracking(TrackingClient{state->patterns, state->currentCompanyCode, fetcher, box}, number, mode);
  }
  std::unique_ptr<AppState> state = createAppState();
  test::FakeFetcher fetcher;
  test::TextHistoryBox box{"previous"};
};

TEST_F(QueryFixture, SummaryClassifiesWithoutTouchingTheBox) {
  state->currentCompanyCode = "xjkd";
  for (const int mode : {0, 2, -1}) {
    SCOPED_TRACE(mode);
    EXPECT_EQ(query("AB12345", mode), status::kScanned);
    EXPECT_EQ(box.text, "previous");
  }
  EXPECT_EQ(fetcher.urls.back(), buildQueryUrl("xjkd", "AB12345"));
}

TEST_F(QueryFixture, DetailShowsTheHistoryAndGivesTheSameStatus) {
  EXPECT_EQ(query("AB12345", Detail), status::kScanned);
  EXPECT_EQ(box.text, "已签收2026-12-01 08:00:00\r\n已揽收\r\n");
}

TEST_F(QueryFixture, UsesTheCompanyCodeOfTheMomentAndSendsUncheckedNumbers) {
  state->currentCompanyCode = "ydsy";
  query("a b#", Detail);
  EXPECT_EQ(fetcher.urls.back(), buildQueryUrl("ydsy", "a b#"));
}

TEST_F(QueryFixture, FailedFetchIsQueryFailedAndKeepsTheBox) {
  fetcher.page = "";
  EXPECT_EQ(query("AB12345", Detail), status::kQueryFailed);
  EXPECT_EQ(box.text, "previous");
}

}  // namespace
}  // namespace quorvane
