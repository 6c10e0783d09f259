#pragma once
// An in-memory main window, fetcher and batch files for the tests of the
// window's actions. Everything the actions do is recorded as resulting state.

#include <functional>
#include <map>
#include <memory>
#include <new>
#include <string>
#include <vector>

#include "batch/batch_files.h"
#include "tracking/page_fetcher.h"
#include "ui/main_window_view.h"

namespace quorvane::test {

struct Message {
  std::string text;
  std::string title;
  MessageIcon icon;
};

class FakeMainWindow final : public MainWindowView, public HistoryBox {
 public:
  bool isClosed() const override { return closed; }
  void setCaption(std::string_view text) override {
    if (!closed) caption = text;
  }
  void setHintText(std::string_view text) override {
    if (!closed) hint = text;
  }
  void enableButton(Button button) override {
    if (!closed) enabled.push_back(button);
  }
  std::string numberInputText() const override { return closed ? "" : numberInput; }
  int addCourierItem(std::string_view name) override {
    if (name == refusedCourier) return -1;  // as a combo box out of memory answers
    couriers.emplace_back(name);
    return static_cast<int>(couriers.size()) - 1;
  }
  int chosenCourierIndex() const override { return chosenCourier; }
  std::size_t appendRow(std::string_view number) override {
    if (!closed) rows.push_back({std::string(number), ""});
    return rows.size() - 1;
  }
  void setCell(std::size_t row, int column, std::string_view text) override {
    if (!closed && row < rows.size()) rows[row][static_cast<std::size_t>(column)] = text;
  }
  std::string cell(std::size_t row, int column) const override {
    return row < rows.size() ? rows[row][static_cast<std::size_t>(column)] : "";
  }
  std::size_t rowCount() const override { return rows.size(); }
  int selectedRow() const override { return selected; }
  HistoryBox& historyBox() override { return *this; }
  void replaceText(std::string_view text) override {
    if (!closed) history = text;
  }
  void appendText(std::string_view text) override {
    if (!closed) history += text;
  }
  // Runs whatever a test queued to happen "while messages are processed".
  void processPendingMessages() override {
    ++pumps;
    auto pending = std::move(onNextPump);
    onNextPump = nullptr;
    if (pending) pending();
  }
  void beginRowBatch() override { ++rowBatchDepth; }
  void endRowBatch() override { --rowBatchDepth; }
  void showMessage(std::string_view text, std::string_view title, MessageIcon icon) override {
    messages.push_back({std::string(text), std::string(title), icon});
  }

  bool closed = false;
  std::string caption = "Quorvane";
  std::string hint = "start";
  std::vector<Button> enabled;
  std::string numberInput;
  std::vector<std::string> couriers;
  std::string refusedCourier = "\x01";  // addCourierItem fails for this name
  int chosenCourier = -1;
  std::vector<std::vector<std::string>> rows;  // number, status
  int selected = -1;
  std::string history;
  int pumps = 0;
  int rowBatchDepth = 0;
  std::function<void()> onNextPump;
  std::vector<Message> messages;
};

// Answers every URL with a page that the test chooses; remembers the URLs.
class FakeFetcher final : public PageFetcher {
 public:
  std::string fetchPage(std::string_view url) override {
    urls.emplace_back(url);
    if (urls.size() == throwAtFetch) throw std::bad_alloc();
    return page;
  }
  std::string page;
  std::vector<std::string> urls;
  std::size_t throwAtFetch = 0;  // the fetch (counted from 1) that throws bad_alloc; 0 for none
};

// Serves its bytes, then throws bad_alloc instead of reporting the end.
class ThrowingAtEndSource final : public ByteSource {
 public:
  explicit ThrowingAtEndSource(std::string_view bytes) : bytes_(bytes) {}
  std::ptrdiff_t read(char* buffer, std::size_t size) override {
    const std::ptrdiff_t count = bytes_.read(buffer, size);
    if (count == 0) throw std::bad_alloc();
    return count;
  }

 private:
  MemoryByteSource bytes_;
};

class FakeBatchFiles final : public BatchFiles {
 public:
  bool chooseImportFile() override { return importChosen; }
  std::unique_ptr<ByteSource> openImportFile() override {
    if (!importOpens) return nullptr;
    ++openImports;
    if (importReadThrows) return std::make_unique<ThrowingAtEndSource>(importBytes);
    return std::make_unique<MemoryByteSource>(importBytes);
  }
  bool chooseExportFile() override { return exportChosen; }
  std::unique_ptr<ReplacingFile> createExportFile() override;

  bool importChosen = true;
  bool importOpens = true;
  std::string importBytes;
  bool importReadThrows = false;  // the read at the end of importBytes throws
  int openImports = 0;
  bool exportChosen = true;
  bool exportOpens = true;
  int failWriteAt = -1;  // the index of the write that fails, -1 for none
  bool commitFails = false;
  std::string exported;  // the chosen file: replaced only by a committed export
  bool exportClosed = false;
};

// Collects the written bytes and puts them in the chosen file's place on commit.
class StringReplacingFile final : public ReplacingFile {
 public:
  explicit StringReplacingFile(FakeBatchFiles& files) : files_(files) {}
  ~StringReplacingFile() override { files_.exportClosed = true; }
  bool write(std::string_view bytes) override {
    if (writes_++ == files_.failWriteAt) failed_ = true;
    if (!failed_) written_ += bytes;
    return !failed_;
  }
  bool commit() override {
    if (failed_ || files_.commitFails) return false;
    files_.exported = written_;
    return true;
  }

 private:
  FakeBatchFiles& files_;
  std::string written_;
  int writes_ = 0;
  bool failed_ = false;
};

inline std::unique_ptr<ReplacingFile> FakeBatchFiles::createExportFile() {
  if (!exportOpens) return nullptr;
  exportClosed = false;
  return std::make_unique<StringReplacingFile>(*this);
}

}  // namespace quorvane::test
