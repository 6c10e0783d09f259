// The request side of a query: the URL, its pieces, and the form check.

#include <gtest/gtest.h>

#include "tracking/query_url.h"
#include "tracking/tracking_number.h"
#include "tracking/url_parts.h"
#include "ui/app_state.h"

namespace quorvane {
namespace {

const std::string kPrefix = "http://" + std::string(serviceHost()) + "/wap_result.jsp?rand=20120517&id=";

TEST(QueryUrl, PiecesInOrderWithFixedKeys) {
  EXPECT_EQ(buildQueryUrl("abc", "AB123"), kPrefix + "abc&fromWeb=null&&postid=AB123");
  EXPECT_EQ(buildQueryUrl("", "AB123"), kPrefix + "&fromWeb=null&&postid=AB123");
}

TEST(QueryUrl, AnotherHostChangesOnlyTheHost) {
  EXPECT_EQ(buildQueryUrl("example.com:8080", "c d", "A#1"),
            "http://example.com:8080/wap_result.jsp?rand=20120517&id=c%20d&fromWeb=null&&postid=A%231");
}

TEST(QueryUrl, EncodesEveryByteOutsideTheUnreservedSet) {
  struct Case {
    std::string_view number;
    std::string_view sent;
  } const cases[] = {
      {"AZaz09-._~", "AZaz09-._~"},
      {"AB1#23", "AB1%2323"},
      {"A&id=x", "A%26id%3Dx"},
      {"A B", "A%20B"},
      {"a+b/c?d%", "a%2Bb%2Fc%3Fd%25"},
      {std::string_view("\x01\x7F\x00", 3), "%01%7F%00"},
      {"\xB2\xE9\xD1\xAF", "%B2%E9%D1%AF"},
  };
  for (const auto& [number, sent] : cases) {
    SCOPED_TRACE(number);
    EXPECT_EQ(buildQueryUrl("c d", number), kPrefix + "c%20d&fromWeb=null&&postid=" + std::string(sent));
  }
}

TEST(UrlParts, SplitsHostPortAndObject) {
  struct Case {
    std::string_view url;
    std::optional<UrlParts> parts;
  } const cases[] = {
      {"http://127.0.0.1:8370/wap_result.jsp?a=1&&b=2", UrlParts{"127.0.0.1", 8370, "/wap_result.jsp?a=1&&b=2"}},
      {"http://example.test/x y", UrlParts{"example.test", 80, "/x y"}},
      {"http://example.test", UrlParts{"example.test", 80, "/"}},
      {"http://h/a#frag#more", UrlParts{"h", 80, "/a"}},
      {"https://h/a", std::nullopt},
      {"http://:80/a", std::nullopt},
      {"http://h:0/a", std::nullopt},
      {"http://h:99999/a", std::nullopt},
      {"http://h:8x/a", std::nullopt},
      {"", std::nullopt},
  };
  for (const auto& [url, expected] : cases) {
    SCOPED_TRACE(url);
    const std::optional<UrlParts> parts = splitHttpUrl(url);
    ASSERT_EQ(parts.has_value(), expected.has_value());
    if (!parts) continue;
    EXPECT_EQ(parts->host, expected->host);
    EXPECT_EQ(parts->port, expected->port);
    EXPECT_EQ(parts->object, expected->object);
  }
}

TEST(TrackingNumber, FormCheck) {
  auto state = createAppState();
  compilePatterns(*state);
  struct Case {
    std::string_view number;
    bool valid;
  } const cases[] = {
      {"AB123", true},
      {"ab12345678", true},
      {"AB12", false},
      {"AB-123456", false},
      {"AB123 ", false},
      {" AB123", false},
      {"AB123\t", false},
      {"AB123\xB2\xE9", false},
      {"\xB2\xE9"
       "AB12345",
       false},
      {"", false},  // never sent: an empty number is no tracking number
  };
  for (const auto& [number, valid] : cases) {
    SCOPED_TRACE(number);
    EXPECT_EQ(isValidTrackingNumber(state->patterns, number), valid);
  }
}

TEST(TrackingNumber, UncompiledPatternAcceptsNothing) {
  auto state = createAppState();
  EXPECT_FALSE(isValidTrackingNumber(state->patterns, "AB12345"));
}

}  // namespace
}  // namespace quorvane
