// readProfileString against the table shared with the Windows-side test.

#include <gtest/gtest.h>

#include "couriers/ini_file.h"
#include "shared/ini_cases.h"

namespace quorvane {
namespace {

using namespace std::string_view_literals;

TEST(IniFile, SharedTable) {
  for (const auto& c : test::kIniCases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(readProfileString(c.fileBytes, c.section, c.key, c.defaultValue, c.bufferSize), c.expected);
  }
}

// Windows reads names and values as C strings; these bytes stay out of the
// shared table because its files are plain text.
TEST(IniFile, NulByteEndsNamesAndValues) {
  constexpr std::string_view file = "[Number\0x]\r\n1\0y=a\0b\r\n"sv;
  EXPECT_EQ(readProfileString(file, "Number", "1", "0-0", 100), "a");
  EXPECT_EQ(readProfileString(file, "Number\0z"sv, "1", "0-0", 100), "a");
  EXPECT_EQ(readProfileString(file, "Other", "1", "d\0ef"sv, 100), "d");
}

// One section read once answers every case of the table that asks the same
// file and section, in any order, as a fresh read of each would.
TEST(IniFile, OneSectionAnswersEveryKey) {
  for (const auto& first : test::kIniCases) {
    const ProfileSection section(first.fileBytes, first.section);
    for (const auto& c : test::kIniCases) {
      if (c.fileBytes != first.fileBytes || std::string_view(c.section) != first.section) continue;
      SCOPED_TRACE(std::string(first.name) + " / " + c.name);
      EXPECT_EQ(section.readString(c.key, c.defaultValue, c.bufferSize), c.expected);
    }
  }
}

TEST(IniFile, BufferOfZeroBytesHoldsNothing) {
  EXPECT_EQ(readProfileString(test::kNumberFile, "Number", "1", "0-0", 0), "");
}

}  // namespace
}  // namespace quorvane
