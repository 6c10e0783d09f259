#include "shared/utf8_to_gbk_cases.h"
#include "text/gbk_converter.h"

#include <gtest/gtest.h>

namespace quorvane {
namespace {

TEST(Utf8ToGbk, SharedTable) {
  for (const auto& testCase : test::kUtf8ToGbkCases) {
    SCOPED_TRACE(testCase.name);
    const std::optional<std::string> converted = convertUtf8ToGbk(testCase.utf8);
    ASSERT_EQ(converted.has_value(), testCase.gbk.has_value());
    if (converted) {
      EXPECT_EQ(*converted, *testCase.gbk);
    }
  }
}

}  // namespace
}  // namespace quorvane
