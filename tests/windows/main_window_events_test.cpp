// The main window's events, driven through its real controls against the service.

#include <functional>
#include <new>
#include <set>

#include "main_window_fixture.h"
#include "service_fixture.h"
#include "ui/win/hyperlink.h"
#include "ui/window_texts.h"

namespace quorvane::test {
namespace {

using MainWindowEvents = MainWindowTest;

bool quitIsQueued() {
  MSG message;
  return PeekMessageW(&message, nullptr, WM_QUIT, WM_QUIT, PM_NOREMOVE) != 0;
}

std::string cellText(HWND list, int row, int column) {
  wchar_t text[256] = {};
  LVITEMW item{};
  item.iSubItem = column;
  item.pszText = text;
  item.cchTextMax = 256;
  SendMessageW(list, LVM_GETITEMTEXTW, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
  return wideToGbk(text);
}

TEST_F(MainWindowEvents, ChoosingACourierEnablesTheButtonsAndTakesItsCode) {
  pickCourier(1);
  EXPECT_EQ(state->currentCompanyCode, "ydsy");
  for (const int id : {layout::按钮_单条添加, layout::按钮_导入单号, layout::按钮_保存数据}) {
    EXPECT_TRUE(IsWindowEnabled(control(id)));
  }
  EXPECT_EQ(textOf(control(layout::标签_提示信息)), texts::kHintChooseCourier);
}

TEST_F(MainWindowEvents, KeyboardChangeOfTheClosedListAndRepeatedPicksFireTheEvent) {
  HWND combo = control(layout::组合框_快递公司);
  SetFocus(combo);
  SendMessageW(combo, WM_KEYDOWN, VK_DOWN, 0);
  pump();
  EXPECT_EQ(state->currentCompanyCode, "xjkd");
  state->currentCompanyCode = "changed";
  pickCourier(0);  // the item already chosen
  EXPECT_EQ(state->currentCompanyCode, "xjkd");
}

TEST_F(MainWindowEvents, AddListsTheNumberWithItsStatus) {
  pickCourier(0);
  typeNumber(" XJ1000000001 ");
  click(layout::按钮_单条添加);
  HWND list = control(layout::超级列表框_标点列表);
  ASSERT_EQ(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0), 1);
  EXPECT_EQ(cellText(list, 0, 0), "XJ1000000001");
  EXPECT_EQ(cellText(list, 0, 1), "已扫描");
  EXPECT_EQ(textOf(control(layout::标签_提示信息)), texts::kHintDone);
  EXPECT_EQ(textOf(control(layout::编辑框_单号输入)), " XJ1000000001 ");
  EXPECT_EQ(historyText(), "") << "appending rows makes no row current";
  EXPECT_EQ(fetcher.fetches, 1);
}

TEST_F(MainWindowEvents, ARowMadeCurrentShowsItsHistoryOncePerNewRow) {
  pickCourier(0);
  for (const char* number : {"XJ1000000001", "AB12", "XJ9999999999"}) {
    typeNumber(number);
    click(layout::按钮_单条添加);
  }
  HWND list = control(layout::超级列表框_标点列表);
  EXPECT_EQ(cellText(list, 1, 1), "单号不正确");
  const int added = fetcher.fetches;

  makeRowCurrent(0);
  EXPECT_EQ(fetcher.fetches, added + 1);
  EXPECT_EQ(historyText().rfind("已签收，签收人：门卫", 0), 0u) << historyText();
  EXPECT_EQ(cellText(list, 0, 1), "已扫描");

  makeRowCurrent(0);  // the current row again: no event
  EXPECT_EQ(fetcher.fetches, added + 1);

  SetFocus(list);
  SendMessageW(list, WM_KEYDOWN, VK_DOWN, 0);  // each row reached with the arrows
  SendMessageW(list, WM_KEYDOWN, VK_DOWN, 0);
  EXPECT_EQ(fetcher.fetches, added + 3);
  EXPECT_EQ(cellText(list, 1, 1), "单号不正确") << "the service's own answer for AB12";
  EXPECT_EQ(cellText(list, 2, 1), "暂无物流信息");
}

TEST_F(MainWindowEvents, ColumnHeaderClicksChangeNothing) {
  pickCourier(0);
  for (const char* number : {"XJ3000000001", "XJ1000000001"}) {
    typeNumber(number);
    click(layout::按钮_单条添加);
  }
  NMLISTVIEW click{};
  click.hdr.hwndFrom = control(layout::超级列表框_标点列表);
  click.hdr.idFrom = layout::超级列表框_标点列表;
  click.hdr.code = LVN_COLUMNCLICK;
  click.iItem = -1;
  SendMessageW(window.handle(), WM_NOTIFY, layout::超级列表框_标点列表, reinterpret_cast<LPARAM>(&click));
  EXPECT_EQ(cellText(control(layout::超级列表框_标点列表), 0, 0), "XJ3000000001");
}

TEST_F(MainWindowEvents, EnterPressesNoButton) {
  pickCourier(0);
  typeNumber("XJ1000000001");
  HWND input = control(layout::编辑框_单号输入);
  SetFocus(input);
  PostMessageW(input, WM_KEYDOWN, VK_RETURN, 0);
  pump();
  EXPECT_EQ(SendMessageW(control(layout::超级列表框_标点列表), LVM_GETITEMCOUNT, 0, 0), 0);
  EXPECT_TRUE(IsWindow(owner));
}

TEST_F(MainWindowEvents, TabMovesTheFocusOnAndPassesTheHyperlinkBy) {
  pickCourier(0);  // the buttons take the focus once enabled
  HWND focus = control(layout::组合框_快递公司);
  SetFocus(focus);
  std::vector<HWND> visited;
  for (int i = 0; i < 8; ++i) {
    PostMessageW(GetFocus(), WM_KEYDOWN, VK_TAB, 0);
    pump();
    visited.push_back(GetFocus());
  }
  for (HWND hwnd : visited) {
    EXPECT_EQ(GetParent(hwnd), window.handle());
    EXPECT_TRUE(GetWindowLongPtrW(hwnd, GWL_STYLE) & WS_TABSTOP) << GetDlgCtrlID(hwnd);
  }
  // The seven controls that take the focus, then round again; never the hyperlink.
  EXPECT_EQ(std::set<HWND>(visited.begin(), visited.end()).size(), 7u);
}

TEST_F(MainWindowEvents, EscClosesTheWindowFromAnyControl) {
  for (const int id : {layout::编辑框_单号输入, layout::编辑框_物流信息, layout::超级列表框_标点列表}) {
    SCOPED_TRACE(id);
    if (!window.handle()) {
      TearDown();
      SetUp();
    }
    HWND focus = control(id);
    SetFocus(focus);
    PostMessageW(focus, WM_KEYDOWN, VK_ESCAPE, 0);
    pump();
    pump();  // a multi-line edit posts the close on
    EXPECT_FALSE(IsWindow(owner));
    EXPECT_TRUE(window.isClosed());
    EXPECT_TRUE(quitIsQueued());
    MSG quit;
    PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE);
  }
}

TEST_F(MainWindowEvents, ClosedInsideAnAddTheWindowIsLeftAloneAndTheQuitWaits) {
  pickCourier(0);
  typeNumber("XJ1000000001");
  PostMessageW(window.handle(), WM_CLOSE, 0, 0);  // handled while the add processes messages
  click(layout::按钮_单条添加);
  EXPECT_FALSE(IsWindow(owner));
  EXPECT_TRUE(window.isClosed());
  EXPECT_TRUE(quitIsQueued()) << "the quit request stays for the main loop";
  EXPECT_EQ(fetcher.fetches, 1);
}

TEST_F(MainWindowEvents, AnActionThatThrowsEndsThereAndTheWindowGoesOn) {
  pickCourier(0);
  typeNumber("XJ1000000001");
  const struct {
    const char* name;
    std::function<void()> thrower;
    std::string status;
  } cases[] = {
      {"out of memory in the query: a failed query", [] { throw std::bad_alloc(); }, "查询失败"},
      {"no std::exception: the action just ends", [] { throw 42; }, ""},
      {"nothing thrown", nullptr, "已扫描"},
  };
  HWND list = control(layout::超级列表框_标点列表);
  int row = 0;
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    fetcher.beforeFetch = c.thrower;
    EXPECT_NO_THROW(click(layout::按钮_单条添加));
    ASSERT_TRUE(IsWindow(window.handle()));
    EXPECT_EQ(cellText(list, row++, 1), c.status);
  }
}

TEST_F(MainWindowEvents, TheHyperlinkPressSetsTheContactCaption) {
  setHyperlinkTarget(control(layout::超级链接框1), L"");  // no browser in the test: the press alone
  SendMessageW(control(layout::超级链接框1), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
  EXPECT_EQ(textOf(window.handle()), texts::kContactCaption);
  EXPECT_EQ(hyperlinkTextColor(control(layout::超级链接框1)), kLinkColor);
}

}  // namespace
}  // namespace quorvane::test
