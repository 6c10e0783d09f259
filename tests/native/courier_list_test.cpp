// The courier list: splitting a value, and reading keys until the end marker.

#include <gtest/gtest.h>

#include <map>
#include <ostream>
#include <string>
#include <vector>

#include "couriers/courier_list.h"
#include "couriers/ini_file.h"

namespace quorvane {

void PrintTo(const CourierEntry& entry, std::ostream* out) { *out << '{' << entry.name << " | " << entry.code << '}'; }

namespace {

using namespace std::string_view_literals;

TEST(CourierValue, SplitsAtTheFirstTwoDashes) {
  struct Case {
    std::string_view value;
    std::optional<std::string> name;
    std::optional<std::string> code;
  } const cases[] = {
      {""sv, std::nullopt, std::nullopt},
      {"Alpha"sv, "Alpha", std::nullopt},
      {"Alpha-"sv, "Alpha", std::nullopt},
      {"-"sv, "", std::nullopt},
      {"Alpha-a01"sv, "Alpha", "a01"},
      {"Alpha-a01-x"sv, "Alpha", "a01"},
      {"Alpha-a01-"sv, "Alpha", "a01"},
      {"-a01"sv, "", "a01"},
      {"Alpha--x"sv, "Alpha", ""},
      {"--"sv, "", ""},
      {" Al pha - a01 "sv, " Al pha ", " a01 "},
      {"\xCB\xB3\xB7\xE1-sf"sv, "\xCB\xB3\xB7\xE1", "sf"},  // 顺丰
      // No GBK character has a trail byte below 0x40, but a 0x2D after a lead
      // byte still belongs to its pair and is no separator.
      {"\x81-x-c"sv, "\x81-x", "c"},
      {"a\x81-"sv, "a\x81-", std::nullopt},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::PrintToString(c.value));
    const CourierValuePieces pieces = splitCourierValue(c.value);
    EXPECT_EQ(pieces.name, c.name);
    EXPECT_EQ(pieces.code, c.code);
  }
}

// readValue over a fixed set of keys; every other key reads as the default.
class FakeCourierFile {
 public:
  explicit FakeCourierFile(std::map<std::string, std::string> values) : values_(std::move(values)) {}
  std::vector<CourierEntry> read() {
    return readCourierEntries([this](const std::string& key) {
      askedKeys.push_back(key);
      const auto found = values_.find(key);
      return found == values_.end() ? std::string(kCourierListDefault) : found->second;
    });
  }
  std::vector<std::string> askedKeys;

 private:
  std::map<std::string, std::string> values_;
};

TEST(CourierList, ReadsKeysUntilTheEndMarker) {
  struct Case {
    const char* name;
    std::map<std::string, std::string> values;
    std::vector<CourierEntry> expected;
  } const cases[] = {
      {"no keys", {}, {}},
      {"a missing key ends the list",
       {{"1", "Alpha-a01"}, {"2", "Beta-b02"}, {"4", "Delta-d04"}},
       {{"Alpha", "a01"}, {"Beta", "b02"}}},
      {"third piece ignored", {{"1", "Alpha-a01-x"}}, {{"Alpha", "a01"}}},
      {"empty name or code is an entry", {{"1", "-a01"}, {"2", "Alpha--x"}}, {{"", "a01"}, {"Alpha", ""}}},
      {"name 0 ends", {{"1", "A-a"}, {"2", "0-x"}, {"3", "C-c"}}, {{"A", "a"}}},
      {"code 0 ends", {{"1", "A-a"}, {"2", "Alpha-0"}, {"3", "C-c"}}, {{"A", "a"}}},
      {"code 0 before a third piece ends", {{"1", "Alpha-0-x"}, {"2", "C-c"}}, {}},
      {"bare 0 ends", {{"1", "0"}, {"2", "C-c"}}, {}},
      {"0 with an empty code ends", {{"1", "0-"}, {"2", "C-c"}}, {}},
      {"only an exact 0 ends", {{"1", "00-x"}, {"2", "0 -x"}, {"3", "A- 0"}}, {{"00", "x"}, {"0 ", "x"}, {"A", " 0"}}},
      {"duplicate names kept", {{"1", "A-a"}, {"2", "A-b"}}, {{"A", "a"}, {"A", "b"}}},
      {"values without a code are skipped",
       {{"1", ""}, {"2", "NoDash"}, {"3", "Trailing-"}, {"4", "-"}, {"5", "D-d"}},
       {{"D", "d"}}},
      {"GBK trail byte 0x2D is no separator", {{"1", "\x81-x-c"}}, {{"\x81-x", "c"}}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    FakeCourierFile file(c.values);
    EXPECT_EQ(file.read(), c.expected);
  }
}

TEST(CourierList, AsksForDecimalKeysInRisingOrder) {
  FakeCourierFile file({{"1", "A-a"}, {"01", "Zero-one"}, {"2", "Broken"}, {"3", "C-c"}});
  EXPECT_EQ(file.read(), (std::vector<CourierEntry>{{"A", "a"}, {"C", "c"}}));
  EXPECT_EQ(file.askedKeys, (std::vector<std::string>{"1", "2", "3", "4"}));
}

std::vector<CourierEntry> readCourierFile(std::string_view fileBytes) {
  return readCourierEntries([fileBytes](const std::string& key) {
    return readProfileString(fileBytes, kCourierListSection, key, kCourierListDefault, kCourierValueBufferSize);
  });
}

TEST(CourierList, ReadsARealFile) {
  // Blanks around '=' and the line go; blanks inside the value stay.
  constexpr std::string_view file =
      "[Number]\r\n"
      "1 = \xCB\xB3\xB7\xE1\xCB\xD9\xD4\xCB - sf \r\n"  // 顺丰速运
      "2=Beta-b02\r\n"
      "3=Broken\r\n"
      "4=0-0\r\n"
      "5=Late-l05\r\n"sv;
  EXPECT_EQ(readCourierFile(file),
            (std::vector<CourierEntry>{{"\xCB\xB3\xB7\xE1\xCB\xD9\xD4\xCB ", " sf"}, {"Beta", "b02"}}));
  EXPECT_EQ(readCourierFile("[Other]\r\n1=A-a\r\n"sv), std::vector<CourierEntry>{});
}

}  // namespace
}  // namespace quorvane
