#include "service/page_choice.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "sample_data.h"

namespace quorvane::service {
namespace {

TEST(PageChoice, ByCourierCodeAndNumber) {
  const ParcelData& data = testing::sampleData();
  const struct {
    std::optional<std::string_view> code;  // nullopt: under every courier
    std::string_view number;
    PageKind kind;
    const Parcel* parcel;
  } cases[] = {
      {"xjkd", "XJ1000000001", PageKind::kKnown, &data.parcels[0]},
      {"ydsy", "YD20241100001", PageKind::kKnown, &data.parcels[1]},
      {"xjkd", "ab123", PageKind::kKnown, &data.parcels[2]},
      {"xjkd", "AB123", PageKind::kUnknown, nullptr},         // numbers match case-sensitively
      {"ydsy", "XJ1000000001", PageKind::kUnknown, nullptr},  // known, but under another courier
      {"nope", "XJ1000000001", PageKind::kUnknown, nullptr},
      {"", "XJ1000000001", PageKind::kUnknown, nullptr},
      {"xjkd", "XJ1999999999", PageKind::kUnknown, nullptr},
      {"xjkd", "", PageKind::kBadNumber, nullptr},
      {"xjkd", "ab12", PageKind::kBadNumber, nullptr},
      {"xjkd", "XJ100000-0001", PageKind::kBadNumber, nullptr},
      {"xjkd", "XJ1000000001 ", PageKind::kBadNumber, nullptr},
      {"xjkd", "ＸＪ１０００", PageKind::kBadNumber, nullptr},  // full-width letters and digits
      {"nope", "x", PageKind::kBadNumber, nullptr},
      {std::nullopt, "YD20241100001", PageKind::kKnown, &data.parcels[1]},
      {std::nullopt, "XJ1999999999", PageKind::kUnknown, nullptr},
      {std::nullopt, "XJ1", PageKind::kBadNumber, nullptr},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.code.value_or("(any)")) + " " + std::string(c.number));
    const PageChoice choice = choosePage(data, c.code, c.number);
    EXPECT_EQ(choice.kind, c.kind);
    EXPECT_EQ(choice.parcel, c.parcel);
  }
}

TEST(PageChoice, RenderedPageIsTheChosenKindsPage) {
  const ParcelData& data = testing::sampleData();
  const std::string known = renderChosenPage(data, choosePage(data, "ydsy", "YD20241100001"));
  EXPECT_NE(known.find(kKnownMarker), std::string::npos);
  EXPECT_NE(known.find("云达速运"), std::string::npos);
  EXPECT_NE(known.find("<p style='color:#F21818;'>运输中</p>"), std::string::npos);
  EXPECT_EQ(renderChosenPage(data, choosePage(data, "xjkd", "")), renderNoticePage(PageKind::kBadNumber));
  EXPECT_EQ(renderChosenPage(data, choosePage(data, "ydsy", "XJ1000000001")), renderNoticePage(PageKind::kUnknown));
}

}  // namespace
}  // namespace quorvane::service
