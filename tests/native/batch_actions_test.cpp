// The import and export buttons against an in-memory window and files.

#include "ui/batch_actions.h"

#include <gtest/gtest.h>

#include "batch/import_line_reader.h"
#include "fakes/fake_main_window.h"
#include "fakes/pages.h"
#include "tracking/query_url.h"
#include "ui/window_texts.h"

namespace quorvane {
namespace {

using Rows = std::vector<std::vector<std::string>>;

struct BatchActions : ::testing::Test {
  BatchActions() {
    compilePatterns(*state);
    state->currentCompanyCode = "xjkd";
    fetcher.page = test::kScannedPage;
  }
  std::unique_ptr<AppState> state = createAppState();
  test::FakeMainWindow view;
  test::FakeFetcher fetcher;
  test::FakeBatchFiles files;
  MainWindowContext context{*state, view, fetcher, files};
};

TEST_F(BatchActions, ImportQueriesTheNumberOfEveryLine) {
  files.importBytes = "XJ100  note\r\n\r\nAB12\n \nBB200\tx\nXJ300";
  importNumberFile(context);
  EXPECT_EQ(view.caption, texts::kContactCaption);
  ASSERT_EQ(view.messages.size(), 1u);
  EXPECT_EQ(view.messages[0].text, texts::kImportWarning);
  EXPECT_EQ(view.messages[0].title, "警告");
  EXPECT_EQ(view.messages[0].icon, MessageIcon::Warning);
  EXPECT_EQ(view.rows, (Rows{{"XJ100", "已扫描"},
                             {"AB12", "单号不正确"},
                             {"", "单号不正确"},  // a line that begins with a space: an empty number, never sent
                             {"BB200\tx", "单号不正确"},
                             {"XJ300", "已扫描"}}));
  EXPECT_EQ(fetcher.urls, (std::vector<std::string>{buildQueryUrl("xjkd", "XJ100"), buildQueryUrl("xjkd", "XJ300")}));
  EXPECT_EQ(view.hint, texts::kHintDone);
}

TEST_F(BatchActions, AnOverlongLineEndsTheImportWithoutBeingSent) {
  files.importBytes = "XJ100\n" + std::string(ImportLineReader::kDefaultMaxLineBytes + 1, 'X') + "\nXJ300\n";
  importNumberFile(context);
  EXPECT_EQ(view.rows, (Rows{{"XJ100", "已扫描"}}));
  EXPECT_EQ(fetcher.urls, (std::vector<std::string>{buildQueryUrl("xjkd", "XJ100")}));
  EXPECT_EQ(view.hint, texts::kHintDone);
}

TEST_F(BatchActions, AnImportWhoseReadThrowsEndsAsAFailedReadDoes) {
  files.importBytes = "XJ100\nXJ200\nXJ3";
  files.importReadThrows = true;
  importNumberFile(context);
  EXPECT_EQ(view.rows, (Rows{{"XJ100", "已扫描"}, {"XJ200", "已扫描"}}));
  EXPECT_EQ(view.hint, texts::kHintDone);
}

TEST_F(BatchActions, ImportOfAnEmptyFileAddsNothingAndIsDone) {
  files.importBytes = "\r\n\n";
  importNumberFile(context);
  EXPECT_TRUE(view.rows.empty());
  EXPECT_EQ(view.hint, texts::kHintDone);
}

TEST_F(BatchActions, CancelledOpenDialogEndsTheImportAfterTheCaption) {
  files.importChosen = false;
  importNumberFile(context);
  EXPECT_EQ(view.caption, texts::kContactCaption);
  EXPECT_EQ(view.hint, "start");
  EXPECT_EQ(files.openImports, 0);
}

TEST_F(BatchActions, AFileThatCannotBeOpenedIsReported) {
  files.importOpens = false;
  importNumberFile(context);
  ASSERT_EQ(view.messages.size(), 2u);
  EXPECT_EQ(view.messages[1].text, texts::kOpenFileFailed);
  EXPECT_EQ(view.messages[1].title, "<错误>");
  EXPECT_EQ(view.messages[1].icon, MessageIcon::Error);
  EXPECT_EQ(view.hint, "start");
}

TEST_F(BatchActions, ACourierChosenDuringTheImportServesTheFollowingNumbers) {
  files.importBytes = "XJ100\nXJ200\n";
  view.onNextPump = [&] { state->currentCompanyCode = "ydsy"; };
  importNumberFile(context);
  EXPECT_EQ(fetcher.urls, (std::vector<std::string>{buildQueryUrl("xjkd", "XJ100"), buildQueryUrl("ydsy", "XJ200")}));
}

TEST_F(BatchActions, ClosingTheWindowStopsTheImportBeforeTheNextLine) {
  files.importBytes = "XJ100\nXJ200\nXJ300\n";
  view.onNextPump = [&] { view.closed = true; };
  importNumberFile(context);
  EXPECT_EQ(fetcher.urls.size(), 1u);
  EXPECT_EQ(view.hint, texts::kHintQuerying);
}

// The window may draw the rows of an import late, but only while it runs:
// the batch ends with the import, also when the window is closed on the way.
TEST_F(BatchActions, TheImportHoldsARowBatchOnlyWhileItRuns) {
  for (const bool closedOnTheWay : {false, true}) {
    SCOPED_TRACE(closedOnTheWay ? "closed on the way" : "to the end");
    files.importBytes = "XJ100\nXJ200\n";
    view.closed = false;
    int depthInside = 0;
    view.onNextPump = [&] {
      depthInside = view.rowBatchDepth;
      view.closed = closedOnTheWay;
    };
    importNumberFile(context);
    EXPECT_EQ(depthInside, 1);
    EXPECT_EQ(view.rowBatchDepth, 0);
  }
}

TEST_F(BatchActions, ExportWritesEveryRowInOrder) {
  view.rows = {{"XJ100", "已扫描"}, {"", "单号不正确"}, {"AB12", ""}};
  exportResultList(context);
  EXPECT_EQ(files.exported, "XJ100  已扫描\r\n  单号不正确\r\nAB12  \r\n")
      << "a row with an empty number no longer ends the file";
  EXPECT_TRUE(files.exportClosed);
  EXPECT_TRUE(view.messages.empty());
}

TEST_F(BatchActions, ExportOfAnEmptyListEmptiesTheFile) {
  files.exported = "old";
  exportResultList(context);
  EXPECT_EQ(files.exported, "");
}

TEST_F(BatchActions, CancelledSaveDialogTouchesNoFile) {
  files.exportChosen = false;
  files.exported = "old";
  exportResultList(context);
  EXPECT_EQ(files.exported, "old");
  EXPECT_TRUE(view.messages.empty());
}

// A failed export never costs the file it was to replace.
TEST_F(BatchActions, ExportFailuresAreReportedOnceAndKeepThePreviousFile) {
  struct Case {
    const char* what;
    int failWriteAt;
    bool commitFails;
    bool opens;
    std::string_view message;
  };
  const Case cases[] = {
      {"a write fails", 1, false, true, texts::kWriteFailed},
      {"the flush, close or replace fails", -1, true, true, texts::kWriteFailed},
      {"the file cannot be written", -1, false, false, texts::kSaveFileFailed},
  };
  view.rows = {{"A1", "s"}, {"A2", "s"}, {"A3", "s"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    files.exported = "previous file\r\n";
    files.failWriteAt = c.failWriteAt;
    files.commitFails = c.commitFails;
    files.exportOpens = c.opens;
    view.messages.clear();
    exportResultList(context);
    EXPECT_EQ(files.exported, "previous file\r\n");
    ASSERT_EQ(view.messages.size(), 1u);
    EXPECT_EQ(view.messages[0].text, c.message);
    EXPECT_EQ(view.messages[0].icon, MessageIcon::Error);
  }
}

TEST_F(BatchActions, AnExportedListImportsAsTheSameNumbers) {
  view.rows = {{"XJ100", "已扫描"}, {"AB12", "单号不正确"}};
  exportResultList(context);
  files.importBytes = files.exported;
  importNumberFile(context);
  ASSERT_EQ(view.rows.size(), 4u);
  EXPECT_EQ(view.rows[2], view.rows[0]);
  EXPECT_EQ(view.rows[3], view.rows[1]);
}

}  // namespace
}  // namespace quorvane
