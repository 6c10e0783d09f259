#include "service/request_target.h"

#include <gtest/gtest.h>

#include <string>

namespace quorvane::service {
namespace {

TEST(RequestTarget, SplitsTheToolsQueryKeepingTheEmptyPairBetweenTwoAmpersands) {
  const std::string text = "/wap_result.jsp?rand=20120517&id=xjkd&fromWeb=null&&postid=XJ1000000001";
  const RequestTarget target = parseRequestTarget(text);
  EXPECT_EQ(target.path, "/wap_result.jsp");
  ASSERT_EQ(target.query.size(), 5u);
  EXPECT_EQ(target.query[3].raw, "");
  EXPECT_EQ(target.query[3].key, "");
  EXPECT_EQ(*findQueryValue(target, "rand"), "20120517");
  EXPECT_EQ(*findQueryValue(target, "id"), "xjkd");
  EXPECT_EQ(*findQueryValue(target, "fromWeb"), "null");
  EXPECT_EQ(*findQueryValue(target, "postid"), "XJ1000000001");
  EXPECT_EQ(findQueryValue(target, "fault"), nullptr);
  EXPECT_EQ(formatRequestTarget(target), text);
}

TEST(RequestTarget, DecodesKeysAndValuesAndTakesTheFirstOfRepeatedKeys) {
  const RequestTarget target = parseRequestTarget("/p?%69d=a%2Bb+c&flag&=v&id=second#fragment");
  EXPECT_EQ(target.path, "/p");
  EXPECT_EQ(*findQueryValue(target, "id"), "a+b+c");
  EXPECT_EQ(*findQueryValue(target, "flag"), "");
  EXPECT_EQ(*findQueryValue(target, ""), "v");
  EXPECT_TRUE(parseRequestTarget("/p").query.empty());
}

TEST(RequestTarget, PercentDecoding) {
  const struct {
    std::string encoded;
    std::string decoded;
  } cases[] = {
      {"XJ1000000001", "XJ1000000001"},
      {"%41%62%7e", "Ab~"},
      {"%e8%BF%85", "\xE8\xBF\x85"},
      {"a+b", "a+b"},
      {"%00x", std::string("\0x", 2)},
      {"100%", "100%"},
      {"%4", "%4"},
      {"%zz%41", "%zzA"},
      {"%%41", "%A"},
  };
  for (const auto& c : cases) EXPECT_EQ(percentDecode(c.encoded), c.decoded) << c.encoded;
}

TEST(RequestTarget, PercentEncodingKeepsOnlyUnreservedBytesAndRoundTrips) {
  EXPECT_EQ(percentEncode("fault-no_length.~AZaz09"), "fault-no_length.~AZaz09");
  EXPECT_EQ(percentEncode("a b&c=d+"), "a%20b%26c%3Dd%2B");
  EXPECT_EQ(percentEncode("迅"), "%E8%BF%85");
  std::string everyByte;
  for (int byte = 0; byte < 256; ++byte) everyByte += static_cast<char>(byte);
  EXPECT_EQ(percentDecode(percentEncode(everyByte)), everyByte);
}

}  // namespace
}  // namespace quorvane::service
