#include "service/huge_body.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "service/tracking_pages.h"

namespace quorvane::service {
namespace {

TEST(HugeBody, TwentyMebibytesWithItsOnlyMarkerPastSeventeen) {
  std::string body;
  body.reserve(kHugeBodySize);
  std::size_t largestPiece = 0;
  ASSERT_TRUE(streamHugeBody([&](std::string_view piece) {
    largestPiece = std::max(largestPiece, piece.size());
    body += piece;
    return true;
  }));
  EXPECT_EQ(body.size(), kHugeBodySize);
  EXPECT_LE(largestPiece, 64u * 1024);
  const std::size_t marker = body.find(kKnownMarker);
  ASSERT_NE(marker, std::string::npos);
  EXPECT_GT(marker, std::size_t{17} << 20);
  EXPECT_EQ(body.find(kKnownMarker, marker + 1), std::string::npos);
  const std::string_view beforeMarker = std::string_view(body).substr(0, marker);
  EXPECT_TRUE(std::all_of(beforeMarker.begin(), beforeMarker.end(), [](char c) { return c > 0 && c < 0x7F; }));
  EXPECT_EQ(body.substr(body.size() - 8), "</html>\n");
}

TEST(HugeBody, StopsAsSoonAsAWriteFails) {
  int writes = 0;
  EXPECT_FALSE(streamHugeBody([&](std::string_view) { return ++writes < 3; }));
  EXPECT_EQ(writes, 3);
}

}  // namespace
}  // namespace quorvane::service
