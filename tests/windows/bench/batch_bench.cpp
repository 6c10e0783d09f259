// Import and export figures of the real window under Wine, against the
// stand-in service on the host the build was configured with:
// - the import of 10,000 known numbers, per number, next to a bare WinINet
//   fetch loop over the same URLs and to the import's window work alone (rows
//   appended to the shown list, messages handled, nothing fetched);
// - the import's peak memory for files of 1,000 and 10,000 lines, and for
//   10,000 lines with long notes: the same rows from a far larger file;
// - the export of 100,000 rows;
// - how often the shown list was brought up to date during the timed import;
// - the time from creating the window to its being shown with a courier list
//   of 50,000 couriers, next to one of 5;
// - a detail page of 20,000 entries put into the history box, from making its
//   row current to the last change of the box, next to setting the same final
//   text at once.
// A last table sets each figure beside its anchor and the goal it is held to.
// The dialogs are answered once, at the start; the timed runs then use the
// files chosen there, opened and created by WindowsBatchFiles itself.
// Run by tools/bench-batch.sh; prints tables, exits 1 when a run went wrong.

#include <windows.h>
#include <commctrl.h>
#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <string_view>

#include "couriers/courier_list.h"
#include "couriers/ini_file.h"
#include "text/win/code_page.h"
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
constexpr int kManyCouriers = 50'000;
constexpr int kFewCouriers = 5;
constexpr int kHistoryEntries = 20'000;

// The goals: the import at most this many times the bare fetch per number; the
// list brought up to date at least this often; the window shown with many
// couriers at most this much later than with few; the history box filled in
// at most this many times the time of setting its final text at once.
constexpr double kImportGoal = 1.10;
constexpr double kListUpdatesPerSecondGoal = 10.0;
constexpr double kManyCouriersGoalSeconds = 0.5;
constexpr double kHistoryGoal = 2.0;

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

// Fetches from the service, adding up the time spent in fetches, or answers
// with a page of its own while one is set.
class SettablePageFetcher final : public PageFetcher {
 public:
  std::string fetchPage(std::string_view url) override {
    if (!page.empty()) return page;
    const Stopwatch watch;
    std::string body = real.fetchPage(url);
    fetchSeconds += watch.seconds();
    return body;
  }
  std::string page;
  double fetchSeconds = 0;

 private:
  WinInetFetcher real;
};

// Counts the paints of a window while it lives.
class PaintCounter {
 public:
  explicit PaintCounter(HWND window) : window_(window) {
    SetWindowSubclass(window_, &PaintCounter::proc, kSubclassId, reinterpret_cast<DWORD_PTR>(this));
  }
  ~PaintCounter() { RemoveWindowSubclass(window_, &PaintCounter::proc, kSubclassId); }
  PaintCounter(const PaintCounter&) = delete;
  PaintCounter& operator=(const PaintCounter&) = delete;
  int paints = 0;

 private:
  static constexpr UINT_PTR kSubclassId = 7;
  static LRESULT CALLBACK proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR data) {
    if (message == WM_PAINT) ++reinterpret_cast<PaintCounter*>(data)->paints;
    return DefSubclassProc(window, message, wParam, lParam);
  }
  HWND window_;
};

// A detail answer (UTF-8, as the service sends it) with a headline and
// entries dated and worded like real ones.
std::string detailPage(int entries) {
  const auto utf8 = [](std::u8string_view text) { return std::string(text.begin(), text.end()); };
  std::string page = utf8(u8"<html><p>查询结果如下所示</p><p style='color:#F21818;'>已签收</p>");
  const std::string entry = utf8(u8"<p>&middot;2024-05-01 08:00:00<br /> 北京 已揽收，快件正在发往下一站</p>");
  for (int i = 0; i < entries; ++i) page += entry;
  return page + "</html>";
}

std::string windowText(HWND window) {
  std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
  text.resize(static_cast<std::size_t>(GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
  return wideToGbk(text);
}

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
    const PaintCounter listPaints(window_.control(layout::超级列表框_标点列表));
    fetcher_.fetchSeconds = 0;
    importNumberFile(context_);
    const double seconds = files_.sinceOpened.seconds();
    if (timed) {
      timedImportPaints_ = listPaints.paints;
      timedImportFetchSeconds_ = fetcher_.fetchSeconds;
    }
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
  // status set in the shown list, then the pending messages handled; once
  // drawing every row, once in a row batch as an import draws them.
  void appendLoop() {
    appendSeconds_ = appendRows(false);
    batchedAppendSeconds_ = appendRows(true);
  }

  double appendRows(bool inRowBatch) {
    clearList();
    const Stopwatch watch;
    {
      std::optional<RowBatch> batch;
      if (inRowBatch) batch.emplace(window_);
      for (int row = 0; row < kFetches; ++row) {
        const std::size_t index = window_.appendRow(kKnownNumbers[static_cast<std::size_t>(row) % kKnownCount]);
        window_.setCell(index, kStatusColumn, status::kScanned);
        window_.processPendingMessages();
      }
    }
    return watch.seconds();
  }

  // From the start of creating a window to its being shown, with a courier list of that many couriers.
  bool startup(int couriers, double& seconds) {
    const std::filesystem::path folder = folder_ / ("couriers-" + std::to_string(couriers));
    std::filesystem::create_directories(folder);
    std::string list = "[Number]\r\n";
    for (int courier = 1; courier <= couriers; ++courier) {
      list += std::to_string(courier) + "=快递" + std::to_string(courier) + "-c" + std::to_string(courier) + "\r\n";
    }
    writeFile(folder / "infor.ini", list);
    const Stopwatch reading;  // the file read and every courier's entry made, without a window
    const ProfileSection section(readWholeFile((folder / "infor.ini").wstring()), kCourierListSection);
    const std::size_t read = readCourierEntries([&section](const std::string& key) {
                               return section.readString(key, kCourierListDefault, kCourierValueBufferSize);
                             }).size();
    std::printf("%-34s %8zu %10.3f\n", "courier list read alone", read, reading.seconds());
    const std::unique_ptr<AppState> state = createAppState();
    const WindowsCourierListFile file((folder / "infor.ini").wstring());
    MainWindow window(GetModuleHandleW(nullptr), {*state, fetcher_, files_, file});
    const Stopwatch watch;
    const bool shown = window.create(SW_SHOWNORMAL) && IsWindowVisible(window.handle());
    seconds = watch.seconds();
    if (window.handle()) DestroyWindow(window.handle());
    MSG quit;  // the closed window asks to quit; the benchmark goes on
    PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE);
    std::printf("%-34s %8d %10.3f\n", "window shown, couriers", couriers, seconds);
    return expect("window shown", shown, true) &&
           expect("couriers read", static_cast<long long>(state->courierCodes.size()), couriers);
  }

  // A detail page of many entries through the real window, from making its row
  // current to the last change of the box, then the same final text set at once.
  bool historyBox() {
    clearList();
    window_.appendRow(kKnownNumbers[0]);
    HWND box = window_.control(layout::编辑框_物流信息);
    SetWindowTextW(box, L"");
    fetcher_.page = detailPage(kHistoryEntries);
    LVITEMW item{};
    item.stateMask = LVIS_FOCUSED | LVIS_SELECTED;
    item.state = LVIS_FOCUSED | LVIS_SELECTED;
    const Stopwatch filled;
    SendMessageW(window_.control(layout::超级列表框_标点列表), LVM_SETITEMSTATE, 0, reinterpret_cast<LPARAM>(&item));
    historySeconds_ = filled.seconds();
    fetcher_.page.clear();
    const std::string shown = windowText(box);
    historyCharacters_ = GetWindowTextLengthW(box);

    SetWindowTextW(box, L"");
    const Stopwatch once;
    window_.historyBox().replaceText(shown);
    oneShotSeconds_ = once.seconds();
    return expect("history entries shown", static_cast<long long>(std::count(shown.begin(), shown.end(), '\n')),
                  2 * kHistoryEntries) &&
           expect("one-shot text reads the same", windowText(box) == shown, true);
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
    printTime("the same in a row batch", kFetches, batchedAppendSeconds_);
    printTime("filling the list view, no redraw", kExportRows, fillSeconds_);
    printTime("export of the list", kExportRows, exportSeconds_);
    printTime("history box, one detail page", kHistoryEntries, historySeconds_);
    printTime("history box, final text at once", kHistoryEntries, oneShotSeconds_);
  }

  void printGoals(double manyCouriersSeconds, double fewCouriersSeconds) const {
    const double importMs = timedImportSeconds_ * 1000.0 / kTimedImportLines;
    const double fetchMs = fetchSeconds_ * 1000.0 / kFetches;
    const double updatesPerSecond = timedImportPaints_ / timedImportSeconds_;
    const double later = manyCouriersSeconds - fewCouriersSeconds;
    std::printf("\n%-44s %12s %12s %10s %8s\n", "goal", "figure", "anchor", "ratio", "goal");
    printGoal("import per number (ms) / bare fetch", importMs, fetchMs, importMs / fetchMs, kImportGoal, "x");
    // The same import against the time its own fetches took: the same moments, so the same load.
    const double ownFetchMs = timedImportFetchSeconds_ * 1000.0 / kTimedImportLines;
    printGoal("import per number (ms) / its own fetches", importMs, ownFetchMs, importMs / ownFetchMs, kImportGoal,
              "x");
    std::printf("%-44s %12.1f %12s %10s %7.0f/s %s\n", "list brought up to date, times a second", updatesPerSecond, "",
                "", kListUpdatesPerSecondGoal, updatesPerSecond >= kListUpdatesPerSecondGoal ? "met" : "MISSED");
    std::printf("%-44s %12.3f %12.3f %+9.3fs %+7.1fs %s\n", "window shown (s), 50,000 couriers / 5",
                manyCouriersSeconds, fewCouriersSeconds, later, kManyCouriersGoalSeconds,
                later <= kManyCouriersGoalSeconds ? "met" : "MISSED");
    printGoal("history box (s), 20,000 entries / at once", historySeconds_, oneShotSeconds_,
              historySeconds_ / oneShotSeconds_, kHistoryGoal, "x");
    std::printf("(the history box held %d characters)\n", historyCharacters_);
  }

 private:
  static void printTime(const char* name, int count, double seconds) {
    std::printf("%-34s %8d %10.2f %14.4f\n", name, count, seconds, seconds * 1000.0 / count);
  }
  static void printGoal(const char* name, double figure, double anchor, double ratio, double goal, const char* unit) {
    std::printf("%-44s %12.3f %12.3f %9.2f%s %7.2f%s %s\n", name, figure, anchor, ratio, unit, goal, unit,
                ratio <= goal ? "met" : "MISSED");
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
  SettablePageFetcher fetcher_;
  HWND owner_ = nullptr;
  WindowsBatchFiles chosen_{owner_};
  ChosenOnceFiles files_{chosen_};
  WindowsCourierListFile courierList_{(folder_ / "infor.ini").wstring()};
  MainWindow window_{GetModuleHandleW(nullptr), {*state_, fetcher_, files_, courierList_}};
  MainWindowContext context_{*state_, window_, fetcher_, files_};
  double timedImportSeconds_ = 0, fetchSeconds_ = 0, appendSeconds_ = 0, batchedAppendSeconds_ = 0, fillSeconds_ = 0,
         exportSeconds_ = 0;
  double historySeconds_ = 0, oneShotSeconds_ = 0;
  double timedImportFetchSeconds_ = 0;  // of which in its fetches
  int timedImportPaints_ = 0;
  int historyCharacters_ = 0;
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
  double fewCouriers = 0, manyCouriers = 0;
  std::printf("\n");
  ok = bench.historyBox() && ok;
  ok = bench.startup(kFewCouriers, fewCouriers) && ok;
  ok = bench.startup(kManyCouriers, manyCouriers) && ok;
  bench.printTimes();
  bench.printGoals(manyCouriers, fewCouriers);
  return ok ? 0 : 1;
}

}  // namespace
}  // namespace quorvane::test

int main() { return quorvane::test::run(); }
