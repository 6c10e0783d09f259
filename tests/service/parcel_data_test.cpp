#include "service/parcel_data.h"

#include <gtest/gtest.h>

#include <string>

namespace quorvane::service {
namespace {

TEST(ParcelData, ReadsRecordsSkippingCommentsAndBlankLines) {
  const ParcelDataParse parse = parseParcelData(
      "\xEF\xBB\xBF# demo data\n"
      "courier|迅捷快递|xjkd\r\n"
      "\n"
      "parcel|xjkd|XJ1000000001|已签收\n"
      "entry|2024-11-06 15:01:46|oldest\n"
      "entry|2024-11-08 10:36:28|newest | with a bar\n"
      "entry|2024-11-07 17:04:51|middle");  // no newline at the end
  ASSERT_TRUE(parse.errors.empty()) << parse.errors.front();
  ASSERT_EQ(parse.data.couriers.size(), 1u);
  EXPECT_EQ(parse.data.couriers[0].name, "迅捷快递");
  EXPECT_EQ(parse.data.couriers[0].code, "xjkd");  // no "\r" left from the CR LF line
  ASSERT_EQ(parse.data.parcels.size(), 1u);
  const Parcel& parcel = parse.data.parcels[0];
  EXPECT_EQ(parcel.courierCode, "xjkd");
  EXPECT_EQ(parcel.number, "XJ1000000001");
  EXPECT_EQ(parcel.headline, "已签收");
  ASSERT_EQ(parcel.entries.size(), 3u);
  EXPECT_EQ(parcel.entries[0].text, "newest | with a bar");
  EXPECT_EQ(parcel.entries[1].text, "middle");
  EXPECT_EQ(parcel.entries[2].text, "oldest");
}

TEST(ParcelData, ReportsAMalformedLineByNumberAndKeepsTheRest) {
  const std::string header = "courier|迅捷快递|xjkd\nparcel|xjkd|XJ1000000001|已签收\n";
  const struct {
    std::string badLine;
    std::string error;
  } cases[] = {
      {"parcels|xjkd|XJ1000000002|x", "line 3: unknown record kind \"parcels\""},
      {"courier|迅捷快递", "line 3: a courier needs a name and a code"},
      {"courier|又一家|xjkd", "line 3: courier code xjkd is declared twice"},
      {"parcel|xjkd|XJ1000000002", "line 3: a parcel needs a courier code, a number and a headline"},
      {"parcel|abcd|XJ1000000002|x", "line 3: parcel of undeclared courier abcd"},
      {"parcel|xjkd|XJ-100|x", "line 3: tracking number XJ-100 is not 5 or more letters or digits"},
      {"parcel|xjkd|XJ1000000001|x", "line 3: parcel XJ1000000001 is listed twice"},
      {"entry|2024-11-06 15:01|x", "line 3: entry time 2024-11-06 15:01 is not YYYY-MM-DD HH:MM:SS"},
      {"entry|2024-11-06T15:01:46|x", "line 3: entry time 2024-11-06T15:01:46 is not YYYY-MM-DD HH:MM:SS"},
      {"entry|2024-11-06 15:01:46", "line 3: an entry needs a time and a text"},
  };
  for (const auto& c : cases) {
    const ParcelDataParse parse = parseParcelData(header + c.badLine + "\nentry|2024-11-06 15:01:46|ok\n");
    ASSERT_EQ(parse.errors.size(), 1u) << c.badLine;
    EXPECT_EQ(parse.errors[0], c.error);
    ASSERT_EQ(parse.data.parcels.size(), 1u) << c.badLine;
    EXPECT_EQ(parse.data.parcels[0].entries.size(), 1u) << "the line after the bad one is still read: " << c.badLine;
  }
}

TEST(ParcelData, EntryBeforeAnyParcelIsAnError) {
  const ParcelDataParse parse = parseParcelData("courier|迅捷快递|xjkd\nentry|2024-11-06 15:01:46|x\n");
  ASSERT_EQ(parse.errors.size(), 1u);
  EXPECT_EQ(parse.errors[0], "line 2: entry before any parcel");
}

}  // namespace
}  // namespace quorvane::service
