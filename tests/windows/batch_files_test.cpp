// Import and export through the real window, the real common dialogs and the
// real message boxes, which a helper thread answers as a person would.

#include <windows.h>
#include <commctrl.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <utility>
#include <vector>

#include "dialog_driver.h"
#include "main_window_fixture.h"
#include "text/win/unique_handle.h"
#include "ui/window_texts.h"

namespace quorvane::test {
namespace {

// The result list, row by row: number and status.
using Rows = std::vector<std::pair<std::string, std::string>>;

// A GBK import file with CR LF lines of every kind the reader meets.
constexpr std::string_view kMixedLines =
    "XJ1000000001\r\n"
    "AB12\r\n"                          // too short to be a number: listed, not sent
    "XJ1000000003  备注：前台代收\r\n"  // a note after the number
    "\r\n"                              // an empty line: no row
    " XJ1000000005\r\n"                 // a leading space: the number is empty
    "XJ9999999999\r\n";                 // well formed, unknown to the service
const Rows kMixedRows = {{"XJ1000000001", "已扫描"},
                         {"AB12", "单号不正确"},
                         {"XJ1000000003", "已扫描"},
                         {"", "单号不正确"},
                         {"XJ9999999999", "暂无物流信息"}};
constexpr int kMixedQueries = 3;

constexpr std::string_view kThreeKnownNumbers = "XJ1000000001\r\nXJ1000000002\r\nXJ1000000003\r\n";

std::string readFile(const std::filesystem::path& path) {
  std::ifstream file(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

// The file as a list exported from these rows reads.
std::string exportText(const Rows& rows) {
  std::string text;
  for (const auto& [number, status] : rows) text += number + "  " + status + "\r\n";
  return text;
}

// Opens the file as another program would, itself letting others read and
// write it: ERROR_SUCCESS, or why Windows refused.
DWORD openAsAnotherProgram(const std::wstring& path, DWORD access) {
  const UniqueHandle file(CreateFileW(path.c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                      FILE_ATTRIBUTE_NORMAL, nullptr));
  return file.valid() ? ERROR_SUCCESS : GetLastError();
}

// Runs an action on the window's thread right after the status of one row
// has been set. During an import that is between that number and the next:
// the import file is open and the next line not yet read.
class AfterRowStatus {
 public:
  AfterRowStatus(HWND list, WPARAM row, std::function<void()> action)
      : list_(list), row_(row), action_(std::move(action)) {
    SetWindowSubclass(list_, &AfterRowStatus::listProc, kSubclassId, reinterpret_cast<DWORD_PTR>(this));
  }
  ~AfterRowStatus() {
    if (IsWindow(list_)) RemoveWindowSubclass(list_, &AfterRowStatus::listProc, kSubclassId);
  }
  AfterRowStatus(const AfterRowStatus&) = delete;
  AfterRowStatus& operator=(const AfterRowStatus&) = delete;

  bool ran() const { return ran_; }

 private:
  static constexpr UINT_PTR kSubclassId = 1;

  static LRESULT CALLBACK listProc(HWND list, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR data) {
    const LRESULT result = DefSubclassProc(list, message, wParam, lParam);
    auto& self = *reinterpret_cast<AfterRowStatus*>(data);
    if (message == LVM_SETITEMTEXTW && wParam == self.row_ && !self.ran_ &&
        reinterpret_cast<const LVITEMW*>(lParam)->iSubItem == kStatusColumn) {
      self.ran_ = true;
      self.action_();
    }
    return result;
  }

  HWND list_;
  WPARAM row_;
  std::function<void()> action_;
  bool ran_ = false;
};

// What the dialogs showed while a button's action ran.
struct Answered {
  std::string problems;  // "" when each expected dialog came up and was answered
  std::vector<SeenDialog> dialogs;
};

class BatchFilesWindow : public MainWindowTest {
 protected:
  void SetUp() override {
    MainWindowTest::SetUp();
    pickCourier(0);  // 迅捷快递, xjkd: the buttons are enabled
  }

  // Presses the button while the dialog driver answers what comes up.
  Answered clickThrough(int button, std::vector<DialogStep> steps) {
    DialogDriver driver(std::move(steps));
    click(button);
    Answered answered{driver.finish(), {}};
    answered.dialogs = driver.seen();
    return answered;
  }
  Answered importThrough(const std::wstring& path) {
    return clickThrough(layout::按钮_导入单号, {messageBox(IDOK), openFile(path)});
  }
  Answered exportThrough(const std::wstring& path) { return clickThrough(layout::按钮_保存数据, {saveFile(path)}); }

  std::wstring createFile(const char* name, std::string_view bytes) const {
    writeFile(folder / name, bytes);
    return (folder / name).wstring();
  }
  void addNumber(const char* number) {
    typeNumber(number);
    click(layout::按钮_单条添加);
  }

  HWND list() const { return control(layout::超级列表框_标点列表); }
  Rows rows() const {
    Rows rows;
    for (std::size_t row = 0; row < window.rowCount(); ++row) {
      rows.emplace_back(window.cell(row, kNumberColumn), window.cell(row, kStatusColumn));
    }
    return rows;
  }
  std::string hint() const { return textOf(control(layout::标签_提示信息)); }
  std::string caption() const { return textOf(window.handle()); }

  const std::filesystem::path folder =
      freshTempDirectory(::testing::UnitTest::GetInstance()->current_test_info()->name());
};

TEST_F(BatchFilesWindow, ImportWarnsThenListsEachLineOfTheChosenGbkFile) {
  const std::wstring numbers = createFile("numbers.txt", kMixedLines);
  const Answered answered = importThrough(numbers);
  ASSERT_EQ(answered.problems, "");
  const SeenDialog& warning = answered.dialogs.at(0);
  EXPECT_EQ(warning.title, texts::kWarningTitle);
  EXPECT_EQ(warning.text, texts::kImportWarning);
  EXPECT_TRUE(warning.warningIcon);

  EXPECT_EQ(rows(), kMixedRows);
  EXPECT_EQ(fetcher.fetches, kMixedQueries) << "neither the short number nor the empty one is sent";
  EXPECT_EQ(caption(), texts::kContactCaption);
  EXPECT_EQ(hint(), texts::kHintDone);
  EXPECT_TRUE(std::filesystem::equivalent(files.importPath(), numbers));
}

TEST_F(BatchFilesWindow, ACancelledOpenDialogImportsNothingButTheCaptionHasChanged) {
  const std::wstring numbers = createFile("numbers.txt", kThreeKnownNumbers);
  const Answered answered =
      clickThrough(layout::按钮_导入单号, {messageBox(IDOK), {DialogKind::Open, IDCANCEL, numbers}});
  ASSERT_EQ(answered.problems, "");
  EXPECT_EQ(rows(), Rows{});
  EXPECT_EQ(fetcher.fetches, 0);
  EXPECT_EQ(caption(), texts::kContactCaption);
  EXPECT_EQ(hint(), texts::kHintChooseCourier);
  EXPECT_EQ(files.importPath(), L"") << "a cancelled choice is not kept";
}

TEST_F(BatchFilesWindow, ACancelledSaveDialogCreatesNoFile) {
  addNumber("AB12");
  const std::wstring typed = (folder / "list.txt").wstring();
  const Answered answered = clickThrough(layout::按钮_保存数据, {{DialogKind::Save, IDCANCEL, typed}});
  ASSERT_EQ(answered.problems, "");
  EXPECT_TRUE(std::filesystem::is_empty(folder));
  EXPECT_EQ(files.exportPath(), L"");
}

TEST_F(BatchFilesWindow, TheOpenDialogShowsTheFileChosenLast) {
  const std::wstring numbers = createFile("numbers.txt", "XJ1000000001\r\n");
  const Answered first = importThrough(numbers);
  ASSERT_EQ(first.problems, "");
  EXPECT_EQ(first.dialogs.at(1).text, "") << "nothing chosen yet";

  const Answered again = clickThrough(layout::按钮_导入单号, {messageBox(IDOK), openFile()});  // OK as shown
  ASSERT_EQ(again.problems, "");
  EXPECT_EQ(again.dialogs.at(1).text, "numbers.txt");
  EXPECT_EQ(rows(), (Rows{{"XJ1000000001", "已扫描"}, {"XJ1000000001", "已扫描"}}));
  EXPECT_TRUE(std::filesystem::equivalent(files.importPath(), numbers));
}

TEST_F(BatchFilesWindow, ExportWritesNumberTwoSpacesStatusPerRowAndAddsTxtToABareName) {
  addNumber("XJ1000000001");
  addNumber("AB12");
  ASSERT_EQ(exportThrough((folder / L"结果").wstring()).problems, "");
  const auto written = folder / L"结果.txt";
  EXPECT_EQ(readFile(written), "XJ1000000001  已扫描\r\nAB12  单号不正确\r\n");
  EXPECT_FALSE(std::filesystem::exists(folder / L"结果"));
  EXPECT_TRUE(std::filesystem::equivalent(files.exportPath(), written));
}

TEST_F(BatchFilesWindow, ExportOverAnExistingFileAsksFirstThenReplacesTheWholeFile) {
  const std::string longer(100, 'x');  // longer than the new list: a tail left over would show
  const std::wstring existing = createFile("old.txt", longer);
  addNumber("XJ1000000001");

  const Answered declined =
      clickThrough(layout::按钮_保存数据, {saveFile(existing), messageBox(IDNO), {DialogKind::Save, IDCANCEL, {}}});
  ASSERT_EQ(declined.problems, "");
  EXPECT_EQ(readFile(existing), longer);

  const Answered confirmed = clickThrough(layout::按钮_保存数据, {saveFile(existing), messageBox(IDYES)});
  ASSERT_EQ(confirmed.problems, "");
  EXPECT_EQ(readFile(existing), "XJ1000000001  已扫描\r\n");
}

// Another program holds the file open and may write it, but not let it be
// removed: the finished list cannot take its place, and the old file stays whole.
TEST_F(BatchFilesWindow, AnExportThatCannotReplaceTheFileSaysSoAndKeepsThePreviousFile) {
  const std::wstring existing = createFile("old.txt", "previous list\r\n");
  addNumber("XJ1000000001");
  const UniqueHandle otherProgram(CreateFileW(existing.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                              nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  ASSERT_TRUE(otherProgram.valid());

  const Answered answered =
      clickThrough(layout::按钮_保存数据, {saveFile(existing), messageBox(IDYES), messageBox(IDOK)});
  ASSERT_EQ(answered.problems, "");
  const SeenDialog& failure = answered.dialogs.at(2);
  EXPECT_EQ(failure.title, texts::kErrorTitle);
  EXPECT_EQ(failure.text, texts::kWriteFailed);
  EXPECT_EQ(readFile(existing), "previous list\r\n");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder), std::filesystem::directory_iterator()), 1)
      << "no temporary file is left beside it";
}

TEST_F(BatchFilesWindow, WhileImportingOthersMayReadTheFileButNotWriteIt) {
  const std::wstring numbers = createFile("numbers.txt", kThreeKnownNumbers);
  DWORD readWhileImporting = ERROR_INVALID_FUNCTION;
  DWORD writeWhileImporting = ERROR_INVALID_FUNCTION;
  const AfterRowStatus between(list(), 0, [&] {
    readWhileImporting = openAsAnotherProgram(numbers, GENERIC_READ);
    writeWhileImporting = openAsAnotherProgram(numbers, GENERIC_WRITE);
  });
  ASSERT_EQ(importThrough(numbers).problems, "");
  ASSERT_TRUE(between.ran());
  EXPECT_EQ(readWhileImporting, static_cast<DWORD>(ERROR_SUCCESS));
  EXPECT_EQ(writeWhileImporting, static_cast<DWORD>(ERROR_SHARING_VIOLATION));

  EXPECT_EQ(rows().size(), 3u) << "the import read on after the other reader";
  EXPECT_EQ(hint(), texts::kHintDone);
  EXPECT_EQ(openAsAnotherProgram(numbers, GENERIC_WRITE), static_cast<DWORD>(ERROR_SUCCESS));
}

TEST_F(BatchFilesWindow, ExportIntoTheFileBeingImportedFailsUntilTheImportHasEnded) {
  const std::wstring numbers = createFile("numbers.txt", kThreeKnownNumbers);
  const AfterRowStatus between(list(), 0, [this] { PostMessageW(control(layout::按钮_保存数据), BM_CLICK, 0, 0); });
  const Answered during = clickThrough(layout::按钮_导入单号, {messageBox(IDOK), openFile(numbers), saveFile(numbers),
                                                               messageBox(IDYES), messageBox(IDOK)});
  ASSERT_EQ(during.problems, "");
  ASSERT_TRUE(between.ran());
  const SeenDialog& failure = during.dialogs.at(4);
  EXPECT_EQ(failure.title, texts::kErrorTitle);
  EXPECT_EQ(failure.text, texts::kSaveFileFailed);
  EXPECT_EQ(readFile(numbers), kThreeKnownNumbers) << "the file being imported is left alone";
  EXPECT_EQ(rows().size(), 3u) << "the import went on after the failed export";

  const Answered after = clickThrough(layout::按钮_保存数据, {saveFile(), messageBox(IDYES)});  // OK as shown
  ASSERT_EQ(after.problems, "");
  EXPECT_EQ(after.dialogs.at(0).text, "numbers.txt");
  EXPECT_EQ(readFile(numbers), exportText(rows()));
}

TEST_F(BatchFilesWindow, AnExportedListImportedAgainIsQueriedAgainWithTheSameStatuses) {
  ASSERT_EQ(importThrough(createFile("numbers.txt", kMixedLines)).problems, "");
  const std::wstring exported = (folder / "list.txt").wstring();
  ASSERT_EQ(exportThrough(exported).problems, "");
  ASSERT_EQ(importThrough(exported).problems, "");

  Rows twice = kMixedRows;
  twice.insert(twice.end(), kMixedRows.begin(), kMixedRows.end());
  EXPECT_EQ(rows(), twice);
  EXPECT_EQ(fetcher.fetches, 2 * kMixedQueries);
}

// More rows than the list shows at once, so that its scroll bar must cover them.
TEST_F(BatchFilesWindow, TheListShowsEveryRowAtTheEndAndANestedExportSeesEveryRowSoFar) {
  constexpr int kLines = 60;
  constexpr int kExportAfterRow = 36;
  std::string lines;
  for (int line = 0; line < kLines; ++line) lines += "XJ100000000" + std::to_string(line % 9 + 1) + "\r\n";
  const std::wstring numbers = createFile("numbers.txt", lines);
  const std::wstring exported = (folder / "list.txt").wstring();
  const AfterRowStatus between(list(), kExportAfterRow,
                               [this] { PostMessageW(control(layout::按钮_保存数据), BM_CLICK, 0, 0); });
  const Answered answered =
      clickThrough(layout::按钮_导入单号, {messageBox(IDOK), openFile(numbers), saveFile(exported)});
  ASSERT_EQ(answered.problems, "");
  ASSERT_TRUE(between.ran());

  const Rows all = rows();
  ASSERT_EQ(all.size(), static_cast<std::size_t>(kLines));
  EXPECT_EQ(readFile(exported), exportText(Rows(all.begin(), all.begin() + kExportAfterRow + 1)));

  pump();
  ASSERT_LT(SendMessageW(list(), LVM_GETCOUNTPERPAGE, 0, 0), kLines);
  SCROLLINFO scroll{};
  scroll.cbSize = sizeof(scroll);
  scroll.fMask = SIF_RANGE | SIF_PAGE;
  ASSERT_TRUE(GetScrollInfo(list(), SB_VERT, &scroll));
  EXPECT_EQ(scroll.nMax - scroll.nMin + 1, kLines) << "the scroll bar reaches the last row";
}

TEST_F(BatchFilesWindow, ClosingTheWindowDuringAnImportStopsItAndClosesTheFile) {
  const std::wstring numbers = createFile("numbers.txt", kThreeKnownNumbers);
  const AfterRowStatus between(list(), 0, [this] { PostMessageW(window.handle(), WM_CLOSE, 0, 0); });
  ASSERT_EQ(importThrough(numbers).problems, "");
  ASSERT_TRUE(between.ran());
  EXPECT_FALSE(IsWindow(owner));
  EXPECT_TRUE(window.isClosed());
  EXPECT_EQ(fetcher.fetches, 1) << "no line after the close is queried";
  EXPECT_EQ(openAsAnotherProgram(numbers, GENERIC_WRITE), static_cast<DWORD>(ERROR_SUCCESS));
}

}  // namespace
}  // namespace quorvane::test
