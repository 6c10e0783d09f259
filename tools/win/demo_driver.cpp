// Drives a running Quorvane window from outside, for the README's screenshot:
// "show DONE" waits for the window, picks the first courier, adds demo
// numbers, makes the first row current, waits until its history is shown and
// then writes "shown" (or "timeout") into the file DONE, which the script
// waits for; "close" closes the window. Only messages that carry no pointers
// (or that Windows copies between processes) are used. Every wait is bounded.

#include <windows.h>
#include <commctrl.h>

#include <cwchar>
#include <fstream>

#include "ui/win/layout.h"

namespace {

constexpr int kWaitSteps = 300;  // 30 s in steps of 100 ms
constexpr DWORD kStepMs = 100;

template <typename Condition>
bool waitFor(Condition condition) {
  for (int i = 0; i < kWaitSteps; ++i) {
    if (condition()) return true;
    Sleep(kStepMs);
  }
  return false;
}

HWND waitForShownMainWindow() {
  HWND main = nullptr;
  waitFor([&] {
    main = FindWindowW(quorvane::layout::kWindowClass, nullptr);
    return main && IsWindowVisible(main);
  });
  return main;
}

// Returns once the window's thread has handled everything sent before, paints included.
void waitUntilDrawn(HWND main) {
  RedrawWindow(main, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
  DWORD_PTR ignored = 0;
  SendMessageTimeoutW(main, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, kWaitSteps * kStepMs, &ignored);
}

bool show(HWND main) {
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
  HWND history = GetDlgItem(main, 编辑框_物流信息);
  // Asked as a message: the box belongs to another process.
  const bool filled = waitFor([&] {
    DWORD_PTR length = 0;
    return SendMessageTimeoutW(history, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, 1000, &length) && length > 0;
  });
  waitUntilDrawn(main);
  return filled;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  const bool close = argc > 1 && std::wcscmp(argv[1], L"close") == 0;
  HWND main = waitForShownMainWindow();
  if (close) {
    if (main) PostMessageW(main, WM_CLOSE, 0, 0);
    return 0;
  }
  const bool shown = main && show(main);
  if (argc > 2) std::ofstream(argv[2]) << (shown ? "shown" : main ? "no history" : "no window");
  return shown ? 0 : 1;
}
