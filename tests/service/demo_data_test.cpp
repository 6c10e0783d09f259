// The demo files are hand-made: these checks keep them usable and consistent.

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "service/number_form.h"
#include "service/page_choice.h"
#include "service/parcel_data.h"
#include "service/tracking_pages.h"

namespace quorvane::service {
namespace {

std::string readDemoFile(const std::string& name) {
  std::ifstream file(std::string(QUORVANE_DEMO_DIR) + "/" + name, std::ios::binary);
  std::ostringstream text;
  text << file.rdbuf();
  return text.str();
}

std::vector<std::string> lines(const std::string& text) {
  std::vector<std::string> result;
  std::istringstream stream(text);
  for (std::string line; std::getline(stream, line);) result.push_back(line);
  return result;
}

std::size_t countCharacters(std::string_view utf8) {
  return std::count_if(utf8.begin(), utf8.end(), [](char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; });
}

ParcelData demoData() {
  const ParcelDataParse parse = parseParcelData(readDemoFile("parcels.txt"));
  EXPECT_EQ(parse.errors, std::vector<std::string>());
  return parse.data;
}

TEST(DemoData, ParcelsFileIsValidAndVaried) {
  const ParcelData data = demoData();
  EXPECT_EQ(data.couriers.size(), 4u);
  EXPECT_GE(data.parcels.size(), 30u);
  std::set<std::string> couriersWithParcels;
  bool someHaveOneEntry = false;
  bool someEntryIsLong = false;
  for (const Parcel& parcel : data.parcels) {
    SCOPED_TRACE(parcel.number);
    EXPECT_GE(parcel.number.size(), 10u);
    EXPECT_LE(parcel.number.size(), 14u);
    EXPECT_FALSE(parcel.entries.empty());
    EXPECT_EQ(findParcelOfAnyCourier(data, parcel.number), &parcel) << "numbers are unique across couriers";
    couriersWithParcels.insert(parcel.courierCode);
    someHaveOneEntry |= parcel.entries.size() == 1;
    for (const TrackingEntry& entry : parcel.entries) someEntryIsLong |= countCharacters(entry.text) > 200;
    // Data text must not smuggle a second marker into a page.
    const std::string page = renderChosenPage(data, choosePage(data, parcel.courierCode, parcel.number));
    for (const std::string_view marker : {kUnknownMarker, kBadNumberMarker, kBarredMarker}) {
      EXPECT_EQ(page.find(marker), std::string::npos) << marker;
    }
  }
  EXPECT_EQ(couriersWithParcels.size(), data.couriers.size());
  EXPECT_TRUE(someHaveOneEntry);
  EXPECT_TRUE(someEntryIsLong);
}

TEST(DemoData, CourierListNamesTheSameCouriersInTheSameOrder) {
  const ParcelData data = demoData();
  const std::vector<std::string> ini = lines(readDemoFile("couriers.ini"));
  ASSERT_EQ(ini.size(), data.couriers.size() + 1);
  EXPECT_EQ(ini[0], "[Number]");
  for (std::size_t i = 0; i < data.couriers.size(); ++i) {
    const Courier& courier = data.couriers[i];
    EXPECT_EQ(ini[i + 1], std::to_string(i + 1) + "=" + courier.name + "-" + courier.code);
  }
}

TEST(DemoData, ImportFileHoldsKnownNumbersOfSeveralCouriersOneUnknownAndOneOfBadForm) {
  const ParcelData data = demoData();
  const std::string text = readDemoFile("numbers.txt");
  EXPECT_EQ(text.find('\r'), std::string::npos);
  std::set<std::string> couriers;
  int unknown = 0;
  int badForm = 0;
  for (const std::string& line : lines(text)) {
    const std::string number = line.substr(0, line.find(' '));
    if (!isWellFormedNumber(number)) {
      ++badForm;
    } else if (const Parcel* parcel = findParcelOfAnyCourier(data, number)) {
      couriers.insert(parcel->courierCode);
    } else {
      ++unknown;
    }
  }
  EXPECT_GE(couriers.size(), 3u);
  EXPECT_EQ(unknown, 1);
  EXPECT_EQ(badForm, 1);
}

}  // namespace
}  // namespace quorvane::service
