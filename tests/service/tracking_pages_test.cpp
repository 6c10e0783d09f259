#include "service/tracking_pages.h"

#include <gtest/gtest.h>

#include <array>
#include <string>

#include "sample_data.h"

namespace quorvane::service {
namespace {

constexpr std::array kAllMarkers{kKnownMarker, kUnknownMarker, kBadNumberMarker, kBarredMarker};

std::size_t countOccurrences(std::string_view text, std::string_view needle) {
  std::size_t count = 0;
  for (std::size_t at = text.find(needle); at != std::string_view::npos; at = text.find(needle, at + 1)) ++count;
  return count;
}

// A page of the given kind holds its own marker once and no other marker.
void expectOnlyMarker(const std::string& page, std::string_view ownMarker) {
  for (const std::string_view marker : kAllMarkers) {
    EXPECT_EQ(countOccurrences(page, marker), marker == ownMarker ? 1u : 0u) << "marker " << marker;
  }
}

TEST(TrackingPages, EachPageHoldsExactlyItsOwnMarker) {
  const Parcel& parcel = testing::sampleData().parcels[0];
  expectOnlyMarker(renderKnownPage(parcel, &testing::sampleData().couriers[0]), kKnownMarker);
  for (const PageKind kind : {PageKind::kUnknown, PageKind::kBadNumber, PageKind::kBarred}) {
    SCOPED_TRACE(static_cast<int>(kind));
    expectOnlyMarker(renderNoticePage(kind), markerOf(kind));
  }
  expectOnlyMarker(renderPlainPage("404 Not Found", "找不到该页面。"), "");
}

TEST(TrackingPages, KnownPageListsHeadlineThenEntriesNewestFirstEachOnItsOwnLine) {
  const ParcelData& data = testing::sampleData();
  const std::string page = renderKnownPage(data.parcels[0], &data.couriers[0]);
  const std::string expectedResult =
      "<p style='color:#F21818;'>已签收</p>\n"
      "<p>&middot;2024-11-08 10:36:28<br /> 【成都市】快件已签收，签收人：本人</p>\n"
      "<p>&middot;2024-11-07 17:04:51<br /> 【成都市】快件已到达 成都转运中心</p>\n"
      "<p>&middot;2024-11-06 15:01:46<br /> 【上海市】已揽收</p>\n";
  const std::size_t result = page.find(expectedResult);
  ASSERT_NE(result, std::string::npos) << page;
  EXPECT_LT(page.find(kKnownMarker), result);
  EXPECT_NE(page.find("<title>"), std::string::npos);
  EXPECT_NE(page.find("</html>"), std::string::npos);
}

TEST(TrackingPages, DataTextIsEscapedNotTakenAsMarkup) {
  const Parcel parcel{"xjkd", "XJ1000000001", "<b>A&B</b>", {{"2024-11-06 15:01:46", "x<br />y"}}};
  const std::string page = renderKnownPage(parcel, nullptr);
  EXPECT_NE(page.find("<p style='color:#F21818;'>&lt;b&gt;A&amp;B&lt;/b&gt;</p>"), std::string::npos);
  EXPECT_NE(page.find("<br /> x&lt;br /&gt;y</p>"), std::string::npos);
}

}  // namespace
}  // namespace quorvane::service
