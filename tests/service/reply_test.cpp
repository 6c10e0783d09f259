#include "service/reply.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "sample_data.h"
#include "service/tracking_pages.h"

namespace quorvane::service {
namespace {

using std::chrono::seconds;

// Answers queries for the sample data from one client, without barring unless asked.
class ReplyTest : public ::testing::Test {
 protected:
  Reply ask(const std::string& target, const std::string& headText = "") {
    return chooseReply(testing::sampleData(), *bar_, {"127.0.0.1", target, headText}, BarWindow::Clock::time_point{});
  }
  void barAfter(unsigned limit) { bar_.emplace(limit, seconds(60)); }

  std::optional<BarWindow> bar_{std::in_place, 0, seconds(60)};
};

TEST_F(ReplyTest, PlainQueriesGetTheirPage) {
  const Reply known = ask("/wap_result.jsp?rand=20120517&id=xjkd&fromWeb=null&&postid=XJ1000000001");
  EXPECT_EQ(known.status, 200);
  EXPECT_EQ(known.contentType, "text/html; charset=utf-8");
  EXPECT_EQ(known.label, "known");
  EXPECT_EQ(known.marker, kKnownMarker);
  EXPECT_EQ(known.body, renderKnownPage(testing::sampleData().parcels[0], &testing::sampleData().couriers[0]));
  EXPECT_EQ(*known.id, "xjkd");
  EXPECT_EQ(*known.postid, "XJ1000000001");
  EXPECT_FALSE(known.fault);

  const Reply noNumber = ask("/wap_result.jsp?id=xjkd");
  EXPECT_EQ(noNumber.label, "bad-number");
  EXPECT_EQ(noNumber.body, renderNoticePage(PageKind::kBadNumber));
  EXPECT_FALSE(noNumber.postid);
}

TEST_F(ReplyTest, TheDripTakesItsPaceFromTheQuery) {
  const std::string query = "/wap_result.jsp?id=xjkd&postid=XJ1000000001&fault=drip";
  const struct {
    const char* pace;
    std::chrono::milliseconds expected;
  } cases[] = {
      {"", kDefaultDripPace},
      {"&pace=250", std::chrono::milliseconds(250)},
      {"&pace=1", std::chrono::milliseconds(1)},
      {"&pace=4000", kMaxDripPace},
      {"&pace=0", kDefaultDripPace},
      {"&pace=4001", kDefaultDripPace},
      {"&pace=x", kDefaultDripPace},
      {"&pace=-5", kDefaultDripPace},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.pace);
    const Reply reply = ask(query + c.pace);
    EXPECT_EQ(reply.fault, Fault::kDrip);
    EXPECT_EQ(reply.label, "known");
    EXPECT_EQ(reply.dripPace, c.expected);
  }
}

TEST_F(ReplyTest, OtherPathsAre404WithoutMarkerAndNotCountedForBarring) {
  barAfter(1);
  for (const char* target : {"/", "/wap_result.jsp/x?id=xjkd&postid=XJ1000000001", "/WAP_RESULT.JSP"}) {
    const Reply reply = ask(target);
    EXPECT_EQ(reply.status, 404) << target;
    EXPECT_TRUE(reply.marker.empty());
  }
  EXPECT_EQ(ask("/wap_result.jsp?id=xjkd&postid=XJ1000000001").label, "known");
  EXPECT_EQ(ask("/wap_result.jsp?id=xjkd&postid=XJ1000000001").label, "barred");
}

TEST_F(ReplyTest, ABarredQueryGetsTheBarredPageWhateverFaultItAsks) {
  barAfter(1);
  ask("/wap_result.jsp?id=xjkd&postid=XJ1000000001");
  const Reply reply = ask("/wap_result.jsp?id=xjkd&postid=XJ1000000001&fault=status-500");
  EXPECT_EQ(reply.status, 200);
  EXPECT_EQ(reply.body, renderNoticePage(PageKind::kBarred));
  EXPECT_FALSE(reply.fault);
}

TEST_F(ReplyTest, FaultByCourierCodeLooksTheNumberUpUnderEveryCourier) {
  const Reply reply = ask("/wap_result.jsp?rand=1&id=fault-no-gbk-char&fromWeb=null&&postid=YD20241100001");
  EXPECT_EQ(reply.fault, Fault::kNoGbkChar);
  EXPECT_EQ(reply.label, "known");
  EXPECT_NE(reply.body.find("云达速运"), std::string::npos);
  EXPECT_NE(reply.body.find("<p style='color:#F21818;'>\U0001F4E6运输中</p>"), std::string::npos);

  const Reply unknown = ask("/wap_result.jsp?id=fault-no-gbk-char&postid=XJ1999999999");
  EXPECT_EQ(unknown.label, "unknown");
  EXPECT_NE(unknown.body.find(std::string(kUnknownMarker) + "\U0001F4E6"), std::string::npos);
}

TEST_F(ReplyTest, ContentFaults) {
  const Reply error = ask("/wap_result.jsp?id=xjkd&postid=XJ1000000001&fault=status-500");
  EXPECT_EQ(error.status, 500);
  for (const std::string_view marker : {kKnownMarker, kUnknownMarker, kBadNumberMarker, kBarredMarker}) {
    EXPECT_EQ(error.body.find(marker), std::string::npos) << marker;
  }

  const Reply notUtf8 = ask("/wap_result.jsp?id=xjkd&postid=XJ1999999999&fault=not-utf8");
  EXPECT_EQ(notUtf8.marker, kKnownMarker);
  EXPECT_NE(notUtf8.body.find(kKnownMarker), std::string::npos);
  EXPECT_NE(notUtf8.body.find("\xD2\xD1\xC7\xA9\xCA\xD5\xFF"), std::string::npos);  // GBK text and a lone 0xFF

  const Reply nul = ask("/wap_result.jsp?id=xjkd&postid=XJ1000000001&fault=nul-before-marker");
  EXPECT_EQ(nul.label, "unknown");
  EXPECT_NE(nul.body.find(std::string(1, '\0') + std::string(kUnknownMarker)), std::string::npos);
  EXPECT_EQ(nul.body.find(kKnownMarker), std::string::npos);

  const std::string head = "GET /wap_result.jsp?fault=echo-request HTTP/1.0\r\nHost: 127.0.0.1\r\n\r\n";
  const Reply echo = ask("/wap_result.jsp?fault=echo-request", head);
  EXPECT_EQ(echo.contentType, "text/plain; charset=utf-8");
  EXPECT_EQ(echo.body, head);

  // Faults of delivery leave the page as it is.
  EXPECT_EQ(ask("/wap_result.jsp?id=xjkd&postid=XJ1000000001&fault=cut-in-char").body,
            ask("/wap_result.jsp?id=xjkd&postid=XJ1000000001").body);
}

TEST_F(ReplyTest, Redirects) {
  const struct {
    std::string target;
    int status;
    std::string location;
  } cases[] = {
      {"/wap_result.jsp?rand=1&fault=redirect&id=xjkd&fromWeb=null&&postid=XJ1000000001", 302,
       "/wap_result.jsp?rand=1&id=xjkd&fromWeb=null&&postid=XJ1000000001"},
      {"/wap_result.jsp?rand=1&id=fault-redirect&fromWeb=null&&postid=YD20241100001", 302,
       "/wap_result.jsp?rand=1&id=ydsy&fromWeb=null&&postid=YD20241100001"},
      // Nowhere to send an unknown number: its plain page.
      {"/wap_result.jsp?rand=1&id=fault-redirect&fromWeb=null&&postid=XJ1999999999", 200, ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.target);
    const Reply reply = ask(c.target);
    EXPECT_EQ(reply.status, c.status);
    EXPECT_EQ(reply.location, c.location);
    if (c.status == 200) {
      EXPECT_EQ(reply.body, renderNoticePage(PageKind::kUnknown));
    }
  }
}

}  // namespace
}  // namespace quorvane::service
