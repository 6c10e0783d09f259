// quorvane.exe as a person starts it: its own process, its own folder, its
// courier list beside it; closed from outside, it ends with exit code 0.

#include <windows.h>

#include <filesystem>
#include <functional>

#include "main_window_fixture.h"
#include "ui/window_texts.h"

namespace quorvane::test {
namespace {

// The Unix path of the built program, seen through Wine's Z: drive.
std::filesystem::path programPath() {
  std::string path = QUORVANE_EXE_PATH;
  for (char& c : path) c = c == '/' ? '\\' : c;
  return "Z:" + path;
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

std::filesystem::path programFolder(const char* name, bool withCourierList) {
  const auto dir = freshTempDirectory(name);
  std::filesystem::copy_file(programPath(), dir / "quorvane.exe");
  if (withCourierList) writeFile(dir / "infor.ini", kCourierList);
  return dir;
}

bool waitUntil(const std::function<bool()>& condition) {
  for (int i = 0; i < 200; ++i) {
    if (condition()) return true;
    Sleep(50);  // <chrono> does not compile with a GBK execution character set
  }
  return false;
}

TEST(Program, OpensWithTheCourierListBesideItAndEndsWithExitCodeZero) {
  RunningProgram program(programFolder("program", true) / "quorvane.exe");
  ASSERT_TRUE(program.started());
  HWND main = program.waitForWindow(layout::kWindowClass);
  ASSERT_NE(main, nullptr);
  ASSERT_TRUE(waitUntil([&] { return IsWindowVisible(main) != FALSE; }));
  HWND combo = GetDlgItem(main, layout::组合框_快递公司);
  EXPECT_EQ(SendMessageW(combo, CB_GETCOUNT, 0, 0), 2);
  EXPECT_FALSE(IsWindowEnabled(GetDlgItem(main, layout::按钮_单条添加)));
  PostMessageW(main, WM_CLOSE, 0, 0);
  EXPECT_EQ(program.waitForExit(), 0);
}

TEST(Program, AMissingCourierListIsReportedBeforeTheWindowShows) {
  RunningProgram program(programFolder("no-list", false) / "quorvane.exe");
  ASSERT_TRUE(program.started());
  HWND box = program.waitForWindow(L"#32770", gbkToWide(texts::kErrorTitle));
  ASSERT_NE(box, nullptr);
  wchar_t text[256] = {};
  GetDlgItemTextW(box, 0xFFFF, text, 256);  // the message box's text
  EXPECT_EQ(wideToGbk(text), texts::kCourierListMissing);
  HWND main = program.findWindow(layout::kWindowClass);
  EXPECT_TRUE(main == nullptr || !IsWindowVisible(main)) << "the window shows only after the box";

  PostMessageW(box, WM_COMMAND, IDOK, 0);
  main = program.waitForWindow(layout::kWindowClass);
  ASSERT_NE(main, nullptr);
  ASSERT_TRUE(waitUntil([&] { return IsWindowVisible(main) != FALSE; }));
  EXPECT_EQ(SendMessageW(GetDlgItem(main, layout::组合框_快递公司), CB_GETCOUNT, 0, 0), 0);
  for (const int id : {layout::按钮_单条添加, layout::按钮_导入单号, layout::按钮_保存数据}) {
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(main, id)));
  }
  PostMessageW(main, WM_CLOSE, 0, 0);
  EXPECT_EQ(program.waitForExit(), 0);
}

}  // namespace
}  // namespace quorvane::test
