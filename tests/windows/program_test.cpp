// quorvane.exe as a person starts it: its own process, its own folder, its
// courier list beside it; closed from outside, it ends with exit code 0.

#include <windows.h>

#include <filesystem>

#include "main_window_fixture.h"
#include "running_program.h"
#include "ui/window_texts.h"

namespace quorvane::test {
namespace {

std::filesystem::path programFolder(const char* name, bool withCourierList) {
  const auto dir = freshTempDirectory(name);
  std::filesystem::copy_file(throughWine(QUORVANE_EXE_PATH), dir / "quorvane.exe");
  if (withCourierList) writeFile(dir / "infor.ini", kCourierList);
  return dir;
}

TEST(Program, OpensWithTheCourierListBesideItAndEndsWithExitCodeZero) {
  expectOpensWithCouriersAndEndsWithExitCodeZero(programFolder("program", true) / "quorvane.exe",
                                                 {"迅捷快递", "云达速运"});
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
