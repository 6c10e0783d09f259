#pragma once
// The real main window, created in the test process with its real controls,
// the real WinINet fetcher and the stand-in service, and driven by messages.

#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iostream>
#include <string>

#include "batch/win/batch_files_win.h"
#include "couriers/win/courier_list_file_win.h"
#include "text/win/code_page.h"
#include "tracking/win/wininet_fetcher.h"
#include "ui/win/layout.h"
#include "ui/win/main_window.h"
#include "ui/win/message_pump.h"

namespace quorvane::test {

// Counts the pages fetched, so a test can tell whether an event sent a query.
class CountingFetcher final : public PageFetcher {
 public:
  std::string fetchPage(std::string_view url) override {
    ++fetches;
    if (beforeFetch) beforeFetch();
    return real.fetchPage(url);
  }
  WinInetFetcher real;
  int fetches = 0;
  std::function<void()> beforeFetch;  // runs before each fetch; may throw
};

inline std::filesystem::path freshTempDirectory(const char* name) {
  const auto dir = std::filesystem::temp_directory_path() /
                   ("quorvane-" + std::string(name) + "-" + std::to_string(GetCurrentProcessId()));
  std::filesystem::remove_all(dir);
  std::filesystem::create_directories(dir);
  return dir;
}

inline void writeFile(const std::filesystem::path& path, std::string_view bytes) {
  std::ofstream(path, std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

// The demo couriers, as a GBK courier list file.
inline constexpr std::string_view kCourierList = "[Number]\r\n1=迅捷快递-xjkd\r\n2=云达速运-ydsy\r\n";

class MainWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    writeFile(dir / "infor.ini", kCourierList);
    MainWindow::registerClasses(GetModuleHandleW(nullptr));
    ASSERT_TRUE(window.create(SW_SHOWNORMAL));
    owner = window.handle();
  }
  void TearDown() override {
    if (window.handle()) DestroyWindow(window.handle());
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    }
  }

  HWND control(int id) const { return window.control(id); }
  std::string textOf(HWND hwnd) const {
    wchar_t buffer[1024] = {};
    GetWindowTextW(hwnd, buffer, 1024);
    return wideToGbk(buffer);
  }
  std::string historyText() const { return textOf(control(layout::编辑框_物流信息)); }
  void pump() { processPendingMessages(window.handle()); }

  // A pick in the courier list, as the combo box reports it.
  void pickCourier(int index) {
    HWND combo = control(layout::组合框_快递公司);
    SendMessageW(combo, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
    SendMessageW(window.handle(), WM_COMMAND, MAKEWPARAM(layout::组合框_快递公司, CBN_SELENDOK),
                 reinterpret_cast<LPARAM>(combo));
  }
  void click(int id) { SendMessageW(control(id), BM_CLICK, 0, 0); }
  void typeNumber(const std::string& gbk) { SetWindowTextW(control(layout::编辑框_单号输入), gbkToWide(gbk).c_str()); }
  // Moves the list's current-row mark (and the selection) to a row, as a click does.
  void makeRowCurrent(int row) {
    LVITEMW item{};
    item.stateMask = LVIS_FOCUSED | LVIS_SELECTED;
    item.state = LVIS_FOCUSED | LVIS_SELECTED;
    SendMessageW(control(layout::超级列表框_标点列表), LVM_SETITEMSTATE, static_cast<WPARAM>(row),
                 reinterpret_cast<LPARAM>(&item));
  }

  std::filesystem::path dir = freshTempDirectory("window");
  std::unique_ptr<AppState> state = createAppState();
  CountingFetcher fetcher;
  HWND owner = nullptr;
  WindowsBatchFiles files{owner};
  WindowsCourierListFile courierList{(dir / "infor.ini").wstring()};
  MainWindow window{GetModuleHandleW(nullptr), {*state, fetcher, files, courierList}};
};

}  // namespace quorvane::test
