// The main window's actions against an in-memory window.

#include "ui/main_window_actions.h"

#include <gtest/gtest.h>

#include "fakes/fake_main_window.h"
#include "fakes/pages.h"
#include "tracking/query_url.h"
#include "tracking/status_text.h"
#include "ui/window_texts.h"

namespace quorvane {
namespace {

using test::FakeMainWindow;

struct MainWindowActions : ::testing::Test {
  MainWindowActions() {
    compilePatterns(*state);
    state->courierCodes = {"xjkd", "ydsy"};
    fetcher.page = test::kScannedPage;
  }
  std::unique_ptr<AppState> state = createAppState();
  FakeMainWindow view;
  test::FakeFetcher fetcher;
  test::FakeBatchFiles files;
  MainWindowContext context{*state, view, fetcher, files};
};

TEST_F(MainWindowActions, ChoosingACourierTakesItsCodeAndEnablesTheButtons) {
  view.chosenCourier = 1;
  chooseCourier(context);
  EXPECT_EQ(state->currentCompanyCode, "ydsy");
  EXPECT_EQ(view.enabled, (std::vector<Button>{Button::Add, Button::Save, Button::Import}));
  view.chosenCourier = 0;
  chooseCourier(context);
  chooseCourier(context);  // the same courier again
  EXPECT_EQ(state->currentCompanyCode, "xjkd");
  EXPECT_EQ(view.hint, "start");
  EXPECT_TRUE(view.rows.empty());
}

TEST_F(MainWindowActions, AChoiceWithoutAChosenItemChangesNothing) {
  for (const int index : {-1, 2}) {
    view.chosenCourier = index;
    chooseCourier(context);
  }
  EXPECT_EQ(state->currentCompanyCode, "");
  EXPECT_TRUE(view.enabled.empty());
}

TEST(RemoveAllSpaces, DropsAsciiAndFullWidthSpacesOnly) {
  struct Case {
    std::string_view typed;
    std::string_view number;
  } const cases[] = {
      {"  AB 12 345  ", "AB12345"},
      {"\xA1\xA1"
       "AB123\xA1\xA1",
       "AB123"},
      {"AB\t12-3\r\n", "AB\t12-3\r\n"},
      {"\xA1\x20"
       "A",
       "\xA1\x20"
       "A"},  // a space as trail byte belongs to its character
      {"\x20\xA1\xA1\xB2\xE9", "\xB2\xE9"},
      {"AB123\xB2", "AB123"},  // a lone lead byte at the end is dropped
      {"   \xA1\xA1 ", ""},
      {"\x80 A\x80",
       "\x80"
       "A\x80"},  // 0x80 and 0xFF are characters of one byte: no trail byte follows
      {"\xFF B\xFF",
       "\xFF"
       "B\xFF"},
  };
  for (const auto& [typed, number] : cases) {
    SCOPED_TRACE(typed);
    EXPECT_EQ(removeAllSpaces(typed), number);
  }
}

TEST_F(MainWindowActions, AddingANumberListsItWithItsStatus) {
  state->currentCompanyCode = "xjkd";
  view.numberInput = " XJ 100 ";
  addSingleNumber(context);
  addSingleNumber(context);
  ASSERT_EQ(view.rows.size(), 2u);
  EXPECT_EQ(view.rows[0], (std::vector<std::string>{"XJ100", "已扫描"}));
  EXPECT_EQ(fetcher.urls, (std::vector<std::string>(2, buildQueryUrl("xjkd", "XJ100"))));
  EXPECT_EQ(view.hint, texts::kHintDone);
  EXPECT_EQ(view.numberInput, " XJ 100 ") << "the typed text stays";
  EXPECT_EQ(view.pumps, 2);
  EXPECT_EQ(view.history, "") << "a summary query leaves the history alone";
}

TEST_F(MainWindowActions, NumbersOfBadFormAreNeverSent) {
  for (const char* typed : {"AB-123456", "AB\t123456", "AB12",
                            "\xB2\xE9"
                            "12345"}) {
    view.numberInput = typed;
    addSingleNumber(context);
  }
  EXPECT_TRUE(fetcher.urls.empty());
  for (const auto& row : view.rows) EXPECT_EQ(row[1], status::kBadNumber);
}

TEST_F(MainWindowActions, OnlySpacesAddNothing) {
  view.numberInput = "  \xA1\xA1 ";
  addSingleNumber(context);
  EXPECT_TRUE(view.rows.empty());
  EXPECT_EQ(view.hint, "start");
  EXPECT_EQ(view.pumps, 0);
}

TEST_F(MainWindowActions, ANestedActionRunsToItsEndFirst) {
  view.numberInput = "AAAAA";
  view.onNextPump = [&] {
    view.numberInput = "BBBBB";
    addSingleNumber(context);
  };
  addSingleNumber(context);
  ASSERT_EQ(view.rows.size(), 2u);
  EXPECT_EQ(view.rows[1][0], "BBBBB");
  EXPECT_EQ(view.rows[0][1], "已扫描");
  EXPECT_EQ(view.hint, texts::kHintDone);
}

TEST_F(MainWindowActions, AWindowClosedInsideTheQueryIsNotTouchedAfterwards) {
  view.numberInput = "AAAAA";
  view.onNextPump = [&] { view.closed = true; };
  addSingleNumber(context);
  EXPECT_EQ(view.hint, texts::kHintQuerying) << "the closed window keeps the text it had";
}

TEST_F(MainWindowActions, MakingARowCurrentQueriesItsNumberInDetail) {
  view.rows = {{"AB12", "单号不正确"}, {"XJ100", "已扫描"}};
  view.history = "old";
  state->currentCompanyCode = "ydsy";  // the courier chosen now, not when the row was added
  fetcher.page = test::kNoInformationPage;
  view.selected = 0;
  showRowDetails(context);
  EXPECT_EQ(fetcher.urls, (std::vector<std::string>{buildQueryUrl("ydsy", "AB12")}));
  EXPECT_EQ(view.rows[0][1], "暂无物流信息");
  EXPECT_EQ(view.history, "old") << "no headline: the box keeps its text";

  fetcher.page = test::kScannedPage;
  view.selected = 1;
  showRowDetails(context);
  EXPECT_EQ(view.history, "已签收2026-12-01 08:00:00\r\n已揽收\r\n");
  EXPECT_EQ(view.pumps, 0);
  EXPECT_EQ(view.hint, "start");
}

TEST_F(MainWindowActions, ARowWithoutANumberIsNeverSentAndEmptiesTheHistory) {
  view.rows = {{"", "单号不正确"}};
  view.history = "old";
  view.selected = 0;
  showRowDetails(context);
  EXPECT_TRUE(fetcher.urls.empty());
  EXPECT_EQ(view.rows[0][1], "单号不正确");
  EXPECT_EQ(view.history, "");
}

TEST_F(MainWindowActions, ARowEventWithoutASelectedRowQueriesNothing) {
  view.rows = {{"XJ100", "已扫描"}};
  view.selected = -1;
  showRowDetails(context);
  EXPECT_TRUE(fetcher.urls.empty());
  EXPECT_EQ(view.rows[0][1], "已扫描");
}

TEST_F(MainWindowActions, AQueryThatThrowsEndsAsAFailedQueryAndTheActionGoesOn) {
  fetcher.throwAtFetch = 1;
  view.numberInput = "XJ100";
  addSingleNumber(context);
  EXPECT_EQ(view.rows, (std::vector<std::vector<std::string>>{{"XJ100", "查询失败"}}));
  EXPECT_EQ(view.hint, texts::kHintDone);
  EXPECT_EQ(view.pumps, 1);

  fetcher.throwAtFetch = 2;
  view.selected = 0;
  showRowDetails(context);
  EXPECT_EQ(view.rows[0][1], "查询失败");
}

TEST_F(MainWindowActions, TheHyperlinkSetsTheContactCaption) {
  onHomepageLinkPressed(context);
  onHomepageLinkPressed(context);
  EXPECT_EQ(view.caption, texts::kContactCaption);
}

}  // namespace
}  // namespace quorvane
