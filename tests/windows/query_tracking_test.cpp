// queryTracking end to end: WinINet, the stand-in service, decoding and classification.

#include <gtest/gtest.h>

#include <map>

#include "service_fixture.h"
#include "shared/text_history_box.h"
#include "tracking/query_tracking.h"
#include "tracking/win/wininet_fetcher.h"
#include "ui/app_state.h"

namespace quorvane {
namespace {

class QueryTrackingEndToEnd : public ::testing::Test {
 protected:
  QueryTrackingEndToEnd() {
    compilePatterns(*state);
    state->currentCompanyCode = test::kKnownCompany;
  }
  StatusText query(std::string_view number, int mode) {
    return queryTracking(TrackingClient{state->patterns, state->currentCompanyCode, fetcher, box}, number, mode);
  }
  std::unique_ptr<AppState> state = createAppState();
  WinInetFetcher fetcher;
  test::TextHistoryBox box;
};

TEST_F(QueryTrackingEndToEnd, BothModesGiveTheSameStatusAndDetailFillsTheBox) {
  EXPECT_EQ(query(test::kKnownNumber, Summary), status::kScanned);
  EXPECT_EQ(box.text, "");
  EXPECT_EQ(query(test::kKnownNumber, Detail), status::kScanned);
  EXPECT_EQ(box.text.rfind("已签收，签收人：门卫", 0), 0u) << box.text;
  EXPECT_NE(box.text.find("2024-11-06 15:01:46\r\n【上海市】"), std::string::npos) << box.text;
}

TEST_F(QueryTrackingEndToEnd, TheCourierOfTheMomentDecides) {
  state->currentCompanyCode = "ydsy";
  EXPECT_EQ(query(test::kKnownNumber, Summary), status::kNoInformation);
}

TEST_F(QueryTrackingEndToEnd, FaultsThroughTheCompanyCode) {
  state->currentCompanyCode = "fault-cut-in-char";
  EXPECT_EQ(query(test::kKnownNumber, Summary), status::kQueryFailed);
  state->currentCompanyCode = "fault-status-500";
  EXPECT_EQ(query(test::kKnownNumber, Summary), status::kUnknownError);
}

// A long batch must get a real answer for every number: no spurious failures
// from connections that WinINet kept for reuse after the service closed them.
// The service closes each connection a little after its answer, as busy
// servers do; an HTTP/1.1 status line without a Connection header invites
// WinINet to keep the connection, which it must not do.
TEST_F(QueryTrackingEndToEnd, TwoThousandQueriesInARowAllGetAnswers) {
  state->currentCompanyCode = "fault-late-close";
  std::map<std::string_view, int> statuses;
  for (int i = 0; i < 2000; ++i) ++statuses[query(test::kKnownNumber, Summary)];
  EXPECT_EQ(statuses[status::kScanned], 2000) << "failed: " << statuses[status::kQueryFailed];
}

}  // namespace
}  // namespace quorvane
