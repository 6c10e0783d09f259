// Import and export figures of the real window under Wine, against the
// stand-in service on the host the build was configured with:
// - the import of 10,000 known numbers, per number, next to a bare WinINet
//   fetch loop over the same URLs and to the import's window work alone (rows
//   appended to the shown list, messages handled, nothing fetched);
// - the import's peak memory for files of 1,000 and 10,000 lines, and for
//   10,000 lines with long notes: the same rows from a far larger file;
// - the export of 100,000 rows.
// The dialogs are answered once, at the start; the timed runs then use the
// files chosen there, opened and created by WindowsBatchFiles itself.
// Run by tools/bench-batch.sh; prints tables, exits 1 when a run went wrong.

#include <windows.h>
#include <psapi.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>

#include "tracking/status_text.h"
#include "ui/batch_actions.h"
#include "windows/dialog_driver.h"
#include "windows/main_window_fixture.h"
#include "windows/service_fixture.h"

namespace quorvane::test {
namespace {

// The demo parcels of 迅捷快递, cycled; the service knows every one of them.
constexpr std::string_view kKnownNumbers[] = {"XJ1000000001", "XJ1000000002", "XJ1000000003", "XJ1000000004",
                                              "XJ1000000005", "XJ1000000006", "XJ1000000007", "XJ1000000008",
                                              "XJ1000000009", "XJ1000000010"};
constexpr std::size_t kKnownCount = std::size(kKnownNumbers);

constexpr int kTimedImportLines = 10'000;
constexpr int kSmallImportLines = 1'000;
constexpr std::size_t kLongNoteBytes = 1'000;
constexpr int kFetches = 2'000;
constexpr int kExportRows = 100'000;

// <chrono> does not compile with a GBK execution character set.
class Stopwatch {
 public:
  Stopwatch() { restart(); }
  void restart() { QueryPerformanceCounter(&start_); }
  double seconds() const {
    LARGE_INTEGER now, frequency;
    QueryPerformanceCounter(&now);
    QueryPerformanceFrequency(&frequency);
    return static_cast<double>(now.QuadPart - start_.QuadPart) / static_cast<double>(frequency.QuadPart);
  }

 private:
  LARGE_INTEGER start_{};
};

struct Memory {
  double peakWorkingSetMb = 0;
  double pagefileMb = 0;  // Wine reports the current figure as the peak as well
};

Memory memoryNow() {
  PROCESS_MEMORY_COUNTERS counters{};
  counters.cb = sizeof(counters);
  GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof(counters));
  constexpr double kMb = 1024.0 * 1024.0;
  return {static_cast<double>(counters.PeakWorkingSetSize) / kMb,
          static_cast<double>(counters.PeakPagefileUsage) / kMb};
}

// The files chosen once through the real dialogs, used again without them:
// opening and creating stay with WindowsBatchFiles. Marks the time the
// import file is opened, so a timed import leaves out its warning box.
class ChosenOnceFiles final : public BatchFiles {
 public:
  explicit ChosenOnceFiles(WindowsBatchFiles& chosen) : chosen_(chosen) {}
  bool chooseImportFile() override { return true; }
  std::unique_ptr<ByteSource> openImportFile() override {
    sinceOpened.restart();
    return chosen_.openImportFile();
  }
  bool chooseExportFile() override { return true; }
  std::unique_ptr<ReplacingFile> createExportFile() override { return chosen_.createExportFile(); }

  Stopwatch sinceOpened;

 private:
  WindowsBatchFiles& chosen_;
};

// Written line by line, so making the file leaves no mark on the peak memory.
std::uintmax_t writeNumberFile(const std::filesystem::path& path, int lines, std::size_t noteBytes) {
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  const std::string note = noteBytes == 0 ? std::string() : "  " + std::string(noteBytes, 'n');
  for (int line = 0; line < lines; ++line) {
    file << kKnownNumbers[static_cast<std::size_t>(line) % kKnownCount] << note << "\r\n";
  }
  file.close();
  return std::filesystem::file_size(path);
}

class BatchBench {
 public:
  BatchBench() {
    writeFile(folder_ / "infor.ini", kCourierList);
    MainWindow::registerClasses(GetModuleHandleW(nullptr));
    window_.create(SW_SHOWNORMAL);
    owner_ = window_.handle();
    SendMessageW(window_.control(layout::组合框_快递公司), CB_SETCURSEL, 0, 0);
    chooseCourier(context_);
  }

  bool ready() const { return owner_ != nullptr && state_->currentCompanyCode == kKnownCompany; }

  // Both files through the real dialogs, once.
  bool chooseFiles() {
    writeNumberFile(importPath_, 1, 0);  // the open dialog wants an existing file
    DialogDriver dialogs({openFile(importPath_.wstring()), saveFile(exportPath_.wstring())});
    const bool chosen = chosen_.chooseImportFile() && chosen_.chooseExportFile();
    return report("choosing the files", dialogs.finish()) && chosen;
  }

  bool importFile(const char* name, int lines, std::size_t noteBytes, bool timed) {
    const std::uintmax_t bytes = writeNumberFile(importPath_, lines, noteBytes);
    clearList();
    const Memory before = memoryNow();
    DialogDriver warning({messageBox(IDOK)});
    importNumberFile(context_);
    const double seconds = files_.sinceOpened.seconds();
    const Memory after = memoryNow();
    const int known = knownRows();
    if (timed) timedImportSeconds_ = seconds;
    std::printf("%-34s %11llu %7d %9.2f %10.1f %+12.1f %10.1f %+12.1f\n", name, static_cast<unsigned long long>(bytes),
                known, seconds * 1000.0 / lines, after.peakWorkingSetMb,
                after.peakWorkingSetMb - before.peakWorkingSetMb, after.pagefileMb,
                after.pagefileMb - before.pagefileMb);
    std::fflush(stdout);
    return report(name, warning.finish()) && expect(name, known, lines);
  }

  bool fetchLoop() {
    WinInetFetcher fetcher;
    int answered = 0;
    const Stopwatch watch;
    for (int fetch = 0; fetch < kFetches; ++fetch) {
      const std::string url = serviceUrl(kKnownCompany, kKnownNumbers[static_cast<std::size_t>(fetch) % kKnownCount]);
      if (!fetcher.fetchPage(url).empty()) ++answered;
    }
    fetchSeconds_ = watch.seconds();
    return expect("bare fetch loop", answered, kFetches);
  }

  // The import's window work without its queries: a row appended and its
  // status set in the shown list, then the pending messages handled.
  void appendLoop() {
    clearList();
    const Stopwatch watch;
    for (int row = 0; row < kFetches; ++row) {
      const std::size_t index = window_.appendRow(kKnownNumbers[static_cast<std::size_t>(row) % kKnownCount]);
      window_.setCell(index, kStatusColumn, status::kScanned);
      window_.processPendingMessages();
    }
    appendSeconds_ = watch.seconds();
  }

  bool exportRows() {
    clearList();
    // Without redrawing, as Wine repaints a shown list on every insert: the
    // filling is set-up here, not the figure.
    HWND list = window_.control(layout::超级列表框_标点列表);
    SendMessageW(list, WM_SETREDRAW, FALSE, 0);
    const Stopwatch fill;
    for (int row = 0; row < kExportRows; ++row) {
      const std::size_t index = window_.appendRow(kKnownNumbers[static_cast<std::size_t>(row) % kKnownCount]);
      window_.setCell(index, kStatusColumn, status::kScanned);
    }
    fillSeconds_ = fill.seconds();
    SendMessageW(list, WM_SETREDRAW, TRUE, 0);
    const Stopwatch watch;
    exportResultList(context_);
    exportSeconds_ = watch.seconds();
    const std::uintmax_t expected = kExportRows * (std::string_view("XJ1000000001  ").size() + status::kScanned.size() +
                                                   std::string_view("\r\n").size());
    return expect("exported bytes", static_cast<long long>(std::filesystem::file_size(exportPath_)),
                  static_cast<long long>(expected));
  }

  void printTimes() const {
    std::printf("\n%-34s %8s %10s %14s\n", "timed run", "count", "total s", "per item ms");
    printTime("import, known numbers", kTimedImportLines, timedImportSeconds_);
    printTime("bare WinINet fetch, same URLs", kFetches, fetchSeconds_);
    printTime("shown rows appended, no fetch", kFetches, appendSeconds_);
    printTime("filling the list view, no redraw", kExportRows, fillSeconds_);
    printTime("export of the list", kExportRows, exportSeconds_);
  }

 private:
  static void printTime(const char* name, int count, double seconds) {
    std::printf("%-34s %8d %10.2f %14.4f\n", name, count, seconds, seconds * 1000.0 / count);
  }
  static bool report(const char* what, const std::string& problems) {
    if (problems.empty()) return true;
    std::fprintf(stderr, "%s: %s", what, problems.c_str());
    return false;
  }
  static bool expect(const char* what, long long got, long long wanted) {
    if (got == wanted) return true;
    std::fprintf(stderr, "%s: %lld instead of %lld\n", what, got, wanted);
    return false;
  }

  void clearList() { SendMessageW(window_.control(layout::超级列表框_标点列表), LVM_DELETEALLITEMS, 0, 0); }
  int knownRows() const {
    int known = 0;
    for (std::size_t row = 0; row < window_.rowCount(); ++row) {
      if (window_.cell(row, kStatusColumn) == status::kScanned) ++known;
    }
    return known;
  }

  const std::filesystem::path folder_ = freshTempDirectory("batch-bench");
  const std::filesystem::path importPath_ = folder_ / "numbers.txt";
  const std::filesystem::path exportPath_ = folder_ / "list.txt";
  std::unique_ptr<AppState> state_ = createAppState();
  WinInetFetcher fetcher_;
  HWND owner_ = nullptr;
  WindowsBatchFiles chosen_{owner_};
  ChosenOnceFiles files_{chosen_};
  WindowsCourierListFile courierList_{(folder_ / "infor.ini").wstring()};
  MainWindow window_{GetModuleHandleW(nullptr), {*state_, fetcher_, files_, courierList_}};
  MainWindowContext context_{*state_, window_, fetcher_, files_};
  double timedImportSeconds_ = 0, fetchSeconds_ = 0, appendSeconds_ = 0, fillSeconds_ = 0, exportSeconds_ = 0;
};

int run() {
  BatchBench bench;
  if (!bench.ready() || !bench.chooseFiles()) return 1;
  std::printf("%-34s %11s %7s %9s %10s %12s %10s %12s\n", "import (memory in MB)", "file bytes", "rows", "ms/number",
              "peak WS", "peak WS rise", "pagefile", "pagefile rise");
  // Smallest first: the peak only ever rises, so each run shows what it adds.
  bool ok = bench.importFile("1,000 lines", kSmallImportLines, 0, false);
  ok = bench.importFile("10,000 lines (timed)", kTimedImportLines, 0, true) && ok;
  ok = bench.importFile("10,000 lines with 1,000-byte notes", kTimedImportLines, kLongNoteBytes, false) && ok;
  ok = bench.fetchLoop() && ok;
  bench.appendLoop();
  ok = bench.exportRows() && ok;
  bench.printTimes();
  return ok ? 0 : 1;
}

}  // namespace
}  // namespace quorvane::test

int main() { return quorvane::test::run(); }
