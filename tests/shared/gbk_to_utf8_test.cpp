#include <gtest/gtest.h>

#include "shared/gbk_to_utf8_cases.h"
#include "text/gbk_converter.h"

namespace quorvane {
namespace {

TEST(GbkToUtf8, SharedTable) {
  for (const auto& testCase : test::kGbkToUtf8Cases) {
    SCOPED_TRACE(testCase.name);
    EXPECT_EQ(convertGbkToUtf8(testCase.gbk), testCase.utf8);
  }
}

}  // namespace
}  // namespace quorvane
