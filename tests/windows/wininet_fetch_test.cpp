// The real WinINet fetch against the stand-in service, in each of its fault modes.

#include <gtest/gtest.h>

#include "service_fixture.h"
#include "shared/fetch_fault_cases.h"
#include "shared/fetch_request_cases.h"
#include "tracking/classify_page.h"
#include "tracking/decode_page.h"
#include "tracking/win/wininet_fetcher.h"

namespace quorvane {
namespace {

using test::kKnownCompany;
using test::kKnownNumber;
using test::serviceUrl;

StatusText statusOf(const std::string& body) { return classifyPage(decodePage(body)); }

bool startsWith(std::string_view text, std::string_view prefix) { return text.substr(0, prefix.size()) == prefix; }

class WinInetFetch : public ::testing::Test {
 protected:
  std::string fetch(std::string_view fault) {
    return fetcher.fetchPage(serviceUrl(kKnownCompany, kKnownNumber, fault));
  }
  WinInetFetcher fetcher;
};

TEST_F(WinInetFetch, FullPagesClassifyByTheirMarkers) {
  EXPECT_EQ(statusOf(fetch("")), status::kScanned);
  EXPECT_EQ(statusOf(fetcher.fetchPage(serviceUrl(kKnownCompany, "XJ9999999999"))), status::kNoInformation);
  EXPECT_EQ(statusOf(fetcher.fetchPage(serviceUrl(kKnownCompany, "AB12"))), status::kBadNumber);
}

TEST_F(WinInetFetch, BodiesThatArriveWholeAreTheSamePage) {
  const std::string page = fetch("");
  ASSERT_FALSE(page.empty());
  for (const char* fault : {"no-length", "long-length", "slow-chunks", "redirect"}) {
    SCOPED_TRACE(fault);
    EXPECT_EQ(fetch(fault), page);
  }
}

TEST_F(WinInetFetch, BodyLongerThanItsContentLengthIsReadAtLeastToThatLength) {
  const std::string page = fetch("");
  const std::string body = fetch("short-length");  // announces half of the page
  EXPECT_GE(body.size(), page.size() / 2);
  EXPECT_TRUE(startsWith(page, body));
}

TEST_F(WinInetFetch, BodiesCutShortKeepWhatArrived) {
  const std::string page = fetch("");
  for (const char* fault : {"cut-body", "reset-body"}) {
    SCOPED_TRACE(fault);
    const std::string body = fetch(fault);
    EXPECT_FALSE(body.empty());
    EXPECT_LT(body.size(), page.size());
    EXPECT_TRUE(startsWith(page, body));
  }
  // The cut falls behind the marker, so the partial page still classifies.
  EXPECT_EQ(statusOf(fetch("cut-body")), status::kScanned);
}

TEST_F(WinInetFetch, StatusOfEachFaultMode) {
  for (const auto& [fault, status] : test::kFaultStatusCases) {
    SCOPED_TRACE(fault);
    EXPECT_EQ(statusOf(fetch(fault)), status);
  }
}

TEST_F(WinInetFetch, CharacterWithoutGbkFormBecomesAQuestionMark) {
  const std::string text = decodePage(fetch("no-gbk-char"));
  EXPECT_NE(text.find("?"), std::string::npos);
}

TEST_F(WinInetFetch, HugeBodyIsCutAtTheSizeLimit) {
  const std::string body = fetch("huge-body");
  EXPECT_EQ(body.size(), FetchLimits{}.maxBodyBytes);
  EXPECT_EQ(statusOf(body), status::kUnknownError) << "the marker lies past the limit";
}

TEST_F(WinInetFetch, UnreachableServiceOrNoHttpUrlGivesNothing) {
  for (const std::string_view url : test::kUrlsWithoutAnswer) EXPECT_EQ(fetcher.fetchPage(url), "") << url;
}

TEST(WinInetFetchTimeout, AnAnswerThatNeverComesEndsAtTheReceiveTimeout) {
  FetchLimits limits;
  limits.receiveTimeoutMs = 1500;
  WinInetFetcher fetcher(limits);
  EXPECT_EQ(fetcher.fetchPage(serviceUrl(kKnownCompany, kKnownNumber, "never-answer")), "");
}

// One byte every 100 ms would take minutes for the page; every read arrives well
// within the receive time-out, so only the total deadline ends the fetch.
TEST(WinInetFetchTimeout, ADrippingAnswerEndsAtTheTotalDeadlineWithWhatArrived) {
  const std::string page = WinInetFetcher().fetchPage(serviceUrl(kKnownCompany, kKnownNumber));
  FetchLimits limits;
  limits.totalDeadlineMs = 2000;
  WinInetFetcher fetcher(limits);
  const ULONGLONG start = GetTickCount64();
  const std::string body = fetcher.fetchPage(serviceUrl(kKnownCompany, kKnownNumber, "drip") + "&pace=100");
  const ULONGLONG elapsed = GetTickCount64() - start;
  EXPECT_LT(elapsed, 2000u + 3000u) << "the fetch ran on past its deadline";
  EXPECT_FALSE(body.empty());
  EXPECT_LT(body.size(), page.size());
  EXPECT_TRUE(startsWith(page, body));
}

TEST(WinInetRequest, RequestLineAndHeadersAsTheServiceReceivedThem) {
  WinInetFetcher fetcher;
  // A fault chosen through the company code keeps the request exactly as a query sends it.
  for (const auto& testCase : test::kEchoedRequestCases) {
    SCOPED_TRACE(testCase.name);
    const std::string head = fetcher.fetchPage(buildQueryUrl(test::kEchoCompany, testCase.number));
    EXPECT_EQ(test::echoedRequestProblems(head, testCase.requestTarget, serviceHost()), "") << head;
  }
}

}  // namespace
}  // namespace quorvane
