// Drives a running Quorvane window from outside, for the README's screenshot:
// "show" picks the first courier, adds a demo number and makes its row
// current; "close" closes the window. Only messages that carry no pointers
// (or that Windows copies between processes) are used.

#include <windows.h>
#include <commctrl.h>

#include <cwchar>

#include "ui/win/layout.h"

namespace {

HWND waitForMainWindow() {
  for (int i = 0; i < 100; ++i) {
    if (HWND main = FindWindowW(quorvane::layout::kWindowClass, nullptr)) return main;
    Sleep(100);
  }
  return nullptr;
}

void show(HWND main) {
  using namespace quorvane::layout;
  HWND combo = GetDlgItem(main, 组合框_快递公司);
  SendMessageW(combo, CB_SETCURSEL, 0, 0);
  SendMessageW(main, WM_COMMAND, MAKEWPARAM(组合框_快递公司, CBN_SELENDOK), reinterpret_cast<LPARAM>(combo));
  for (const wchar_t* number : {L"XJ1000000001", L"YD2000000002", L"XJ12"}) {
    SendMessageW(GetDlgItem(main, 编辑框_单号输入), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(number));
    SendMessageW(GetDlgItem(main, 按钮_单条添加), BM_CLICK, 0, 0);
  }
  // The first arrow key gives the list its current row: the first one.
  HWND list = GetDlgItem(main, 超级列表框_标点列表);
  PostMessageW(list, WM_KEYDOWN, VK_DOWN, 0);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  HWND main = waitForMainWindow();
  if (!main) return 1;
  if (argc > 1 && std::wcscmp(argv[1], L"close") == 0) {
    PostMessageW(main, WM_CLOSE, 0, 0);
  } else {
    show(main);
  }
  return 0;
}
