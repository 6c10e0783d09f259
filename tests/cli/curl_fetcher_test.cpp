// The libcurl fetch against the stand-in service: the request as the service
// receives it (the table the WinINet fetch is checked against too), and the
// answers of its fault modes.

#include "tracking/posix/curl_fetcher.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "child_process.h"
#include "shared/fetch_fault_cases.h"
#include "shared/fetch_request_cases.h"
#include "tracking/classify_page.h"
#include "tracking/decode_page.h"
#include "tracking/query_url.h"

namespace quorvane {
namespace {

constexpr std::string_view kKnownCompany = "xjkd";
constexpr std::string_view kKnownNumber = "XJ1000000001";

StatusText statusOf(const std::string& body) { return classifyPage(decodePage(body)); }

class CurlFetch : public ::testing::Test {
 protected:
  std::string url(std::string_view fault = {}) const {
    std::string url = buildQueryUrl(service().host(), kKnownCompany, kKnownNumber);
    if (!fault.empty()) url += "&fault=" + std::string(fault);
    return url;
  }
  static test::ServiceProcess& service() {
    static test::ServiceProcess shared;
    return shared;
  }
  CurlFetcher fetcher;
};

TEST_F(CurlFetch, RequestLineAndHeadersAsTheServiceReceivedThem) {
  for (const auto& testCase : test::kEchoedRequestCases) {
    SCOPED_TRACE(testCase.name);
    const std::string head = fetcher.fetchPage(buildQueryUrl(service().host(), test::kEchoCompany, testCase.number));
    EXPECT_EQ(test::echoedRequestProblems(head, testCase.requestTarget, service().host()), "") << head;
  }
}

TEST_F(CurlFetch, BodiesThatArriveWholeAreTheSamePage) {
  const std::string page = fetcher.fetchPage(url());
  EXPECT_EQ(statusOf(page), status::kScanned);
  for (const char* fault : {"no-length", "long-length", "slow-chunks", "redirect", "late-close"}) {
    SCOPED_TRACE(fault);
    EXPECT_EQ(fetcher.fetchPage(url(fault)), page);
  }
}

TEST_F(CurlFetch, BodiesCutShortKeepWhatArrived) {
  const std::string page = fetcher.fetchPage(url());
  for (const char* fault : {"cut-body", "reset-body", "short-length"}) {
    SCOPED_TRACE(fault);
    const std::string body = fetcher.fetchPage(url(fault));
    EXPECT_FALSE(body.empty());
    EXPECT_LE(body.size(), page.size());
    EXPECT_TRUE(page.starts_with(body));
  }
}

TEST_F(CurlFetch, StatusOfEachFaultMode) {
  for (const auto& [fault, status] : test::kFaultStatusCases) {
    SCOPED_TRACE(fault);
    EXPECT_EQ(statusOf(fetcher.fetchPage(url(fault))), status);
  }
}

TEST_F(CurlFetch, HugeBodyIsCutAtTheSizeLimit) {
  const std::string body = fetcher.fetchPage(url("huge-body"));
  EXPECT_EQ(body.size(), FetchLimits{}.maxBodyBytes);
  EXPECT_EQ(statusOf(body), status::kUnknownError) << "the marker lies past the limit";
}

TEST_F(CurlFetch, UnreachableServiceOrNoHttpUrlGivesNothing) {
  for (const std::string_view url : test::kUrlsWithoutAnswer) EXPECT_EQ(fetcher.fetchPage(url), "") << url;
}

TEST_F(CurlFetch, AnAnswerThatNeverComesEndsAtTheTotalDeadline) {
  FetchLimits limits;
  limits.totalDeadlineMs = 1500;
  CurlFetcher shortFetcher(limits);
  EXPECT_EQ(shortFetcher.fetchPage(url("never-answer")), "");
}

TEST_F(CurlFetch, TheDeadlineKeepsWhatWasReadBeforeIt) {
  const std::string page = fetcher.fetchPage(url());
  FetchLimits limits;
  limits.totalDeadlineMs = 300;  // shorter than the pauses of the piecewise answer
  CurlFetcher shortFetcher(limits);
  const std::string body = shortFetcher.fetchPage(url("slow-chunks"));
  EXPECT_LT(body.size(), page.size());
  EXPECT_TRUE(page.starts_with(body));
}

TEST_F(CurlFetch, ACancelEndsAFetchThatWaits) {
  std::atomic<bool> cancelled{false};
  CurlFetcher cancellable(FetchLimits{}, [&cancelled] { return cancelled.load(); });
  std::thread cancel([&cancelled] {
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    cancelled = true;
  });
  // Without the cancel this would wait the whole 60-second deadline; the test's own time-out catches that.
  EXPECT_EQ(cancellable.fetchPage(url("never-answer")), "");
  cancel.join();
}

}  // namespace
}  // namespace quorvane
