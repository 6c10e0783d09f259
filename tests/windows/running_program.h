#pragma once
// A Windows program of the project started as a person starts it: its own
// process, its own folder as the current one; found by its windows, ended from
// outside if it outlives the test.

#include <windows.h>

#include <gtest/gtest.h>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "text/win/code_page.h"
#include "ui/win/layout.h"

namespace quorvane::test {

// A Unix path of the build, seen through Wine's Z: drive.
inline std::filesystem::path throughWine(std::string unixPath) {
  for (char& c : unixPath) c = c == '/' ? '\\' : c;
  return "Z:" + unixPath;
}

class RunningProgram {
 public:
  explicit RunningProgram(const std::filesystem::path& exe) {
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    std::wstring commandLine = L"\"" + exe.wstring() + L"\"";
    started_ = CreateProcessW(exe.wstring().c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                              exe.parent_path().wstring().c_str(), &startup, &process_);
  }
  ~RunningProgram() {
    if (!started_) return;
    if (WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT) TerminateProcess(process_.hProcess, 99);
    CloseHandle(process_.hThread);
    CloseHandle(process_.hProcess);
  }
  RunningProgram(const RunningProgram&) = delete;
  RunningProgram& operator=(const RunningProgram&) = delete;

  bool started() const { return started_; }

  // The first top-level window of the process with that class (and title, if given).
  HWND findWindow(const wchar_t* className, const std::wstring& title = {}) const {
    struct Search {
      DWORD pid;
      const wchar_t* className;
      const std::wstring& title;
      HWND found = nullptr;
    } search{process_.dwProcessId, className, title};
    EnumWindows(
        [](HWND hwnd, LPARAM param) -> BOOL {
          auto& s = *reinterpret_cast<Search*>(param);
          DWORD pid = 0;
          GetWindowThreadProcessId(hwnd, &pid);
          wchar_t name[64] = {}, caption[128] = {};
          GetClassNameW(hwnd, name, 64);
          GetWindowTextW(hwnd, caption, 128);
          if (pid != s.pid || wcscmp(name, s.className) != 0) return TRUE;
          if (!s.title.empty() && s.title != caption) return TRUE;
          s.found = hwnd;
          return FALSE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
  }

  HWND waitForWindow(const wchar_t* className, const std::wstring& title = {}) const {
    for (int i = 0; i < 300; ++i) {
      if (HWND hwnd = findWindow(className, title)) return hwnd;
      Sleep(50);  // <chrono> does not compile with a GBK execution character set
    }
    return nullptr;
  }

  // The exit code once the process has ended, or -1 if it did not end in time.
  long waitForExit() const {
    if (WaitForSingleObject(process_.hProcess, 20000) != WAIT_OBJECT_0) return -1;
    DWORD code = 0;
    GetExitCodeProcess(process_.hProcess, &code);
    return static_cast<long>(code);
  }

 private:
  PROCESS_INFORMATION process_{};
  bool started_ = false;
};

inline bool waitUntil(const std::function<bool()>& condition) {
  for (int i = 0; i < 200; ++i) {
    if (condition()) return true;
    Sleep(50);  // <chrono> does not compile with a GBK execution character set
  }
  return false;
}

// Starts quorvane.exe, waits until its window shows with these couriers (GBK)
// in its list and no courier chosen, closes it and expects exit code 0.
inline void expectOpensWithCouriersAndEndsWithExitCodeZero(const std::filesystem::path& exe,
                                                           const std::vector<std::string>& couriers) {
  RunningProgram program(exe);
  ASSERT_TRUE(program.started());
  HWND main = program.waitForWindow(layout::kWindowClass);
  ASSERT_NE(main, nullptr);
  ASSERT_TRUE(waitUntil([&] { return IsWindowVisible(main) != FALSE; }));
  HWND combo = GetDlgItem(main, layout::组合框_快递公司);
  std::vector<std::string> shown;
  for (LRESULT i = 0; i < SendMessageW(combo, CB_GETCOUNT, 0, 0); ++i) {
    std::wstring name(static_cast<std::size_t>(SendMessageW(combo, CB_GETLBTEXTLEN, i, 0)) + 1, L'\0');
    name.resize(static_cast<std::size_t>(SendMessageW(combo, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(name.data()))));
    shown.push_back(wideToGbk(name));
  }
  EXPECT_EQ(shown, couriers);
  EXPECT_FALSE(IsWindowEnabled(GetDlgItem(main, layout::按钮_单条添加)));
  PostMessageW(main, WM_CLOSE, 0, 0);
  EXPECT_EQ(program.waitForExit(), 0);
}

}  // namespace quorvane::test
