// Filling the courier list when the main window has been created.

#include "ui/startup_actions.h"

#include <gtest/gtest.h>

#include "fakes/fake_main_window.h"
#include "tracking/tracking_number.h"
#include "ui/window_texts.h"

namespace quorvane {
namespace {

class MemoryCourierListFile final : public CourierListFile {
 public:
  explicit MemoryCourierListFile(std::optional<std::string> bytes) : bytes_(std::move(bytes)) {}
  bool exists() const override { return bytes_.has_value(); }
  std::string contents() const override { return bytes_.value_or(""); }

 private:
  std::optional<std::string> bytes_;
};

struct CourierListLoad : ::testing::Test {
  std::unique_ptr<AppState> state = createAppState();
  test::FakeMainWindow view;
};

TEST_F(CourierListLoad, FillsComboAndCodesTogetherAndCompilesThePatterns) {
  MemoryCourierListFile file("[Number]\r\n2 = 云达速运-ydsy\r\n1=迅捷快递-xjkd\r\n3=0-0\r\n4=Late-x\r\n");
  onMainWindowCreated(*state, view, file);
  EXPECT_EQ(view.couriers, (std::vector<std::string>{"迅捷快递", "云达速运"}));
  EXPECT_EQ(state->courierCodes, (std::vector<std::string>{"xjkd", "ydsy"}));
  EXPECT_TRUE(view.messages.empty());
  EXPECT_TRUE(isValidTrackingNumber(state->patterns, "AB12345"));
}

TEST_F(CourierListLoad, AnItemTheListRefusesGetsNoCode) {
  MemoryCourierListFile file("[Number]\r\n1=A-a\r\n2=B-b\r\n3=C-c\r\n");
  view.refusedCourier = "B";
  onMainWindowCreated(*state, view, file);
  EXPECT_EQ(view.couriers, (std::vector<std::string>{"A", "C"}));
  EXPECT_EQ(state->courierCodes, (std::vector<std::string>{"a", "c"}));
}

TEST_F(CourierListLoad, AFileWithoutUsableEntriesStillCompilesThePatterns) {
  for (const char* bytes : {"", "[Other]\n1=A-a\n", "[Number]\n01=A-a\n"}) {
    SCOPED_TRACE(bytes);
    MemoryCourierListFile file(bytes);
    state = createAppState();
    onMainWindowCreated(*state, view, file);
    EXPECT_TRUE(view.couriers.empty());
    EXPECT_TRUE(isValidTrackingNumber(state->patterns, "AB12345"));
  }
  EXPECT_TRUE(view.messages.empty());
}

TEST_F(CourierListLoad, AMissingFileIsReportedAndNothingIsCompiled) {
  MemoryCourierListFile file(std::nullopt);
  onMainWindowCreated(*state, view, file);
  ASSERT_EQ(view.messages.size(), 1u);
  EXPECT_EQ(view.messages[0].text, texts::kCourierListMissing);
  EXPECT_EQ(view.messages[0].title, "<错误>");
  EXPECT_EQ(view.messages[0].icon, MessageIcon::Error);
  EXPECT_TRUE(view.couriers.empty());
  EXPECT_TRUE(state->patterns.numberPattern.empty());
}

}  // namespace
}  // namespace quorvane
