#pragma once
// An in-memory main window, fetcher and batch files for the tests of the
// window's actions. Everything the actions do is recorded as resulting state.

#include <functional>
#include <map>
#include <memory>
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
    return page;
  }
  std::string page;
  std::vector<std::string> urls;
};

class FakeBatchFiles final : public BatchFiles {
 public:
  bool chooseImportFile() override { return importChosen; }
  std::unique_ptr<ByteSource> openImportFile() override {
    if (!importOpens) return nullptr;
    ++openImports;
    return std::make_unique<MemoryByteSource>(importBytes);
  }
  bool chooseExportFile() override { return exportChosen; }
  std::unique_ptr<ByteSink> createExportFile() override;

  bool importChosen = true;
  bool importOpens = true;
  std::string importBytes;
  int openImports = 0;
  bool exportChosen = true;
  bool exportOpens = true;
  int failWriteAt = -1;  // the index of the write that fails, -1 for none
  std::string exported;
  bool exportClosed = false;
};

class StringSink final : public ByteSink {
 public:
  explicit StringSink(FakeBatchFiles& files) : files_(files) {}
  ~StringSink() override { files_.exportClosed = true; }
  bool write(std::string_view bytes) override {
    if (writes_++ == files_.failWriteAt) return false;
    files_.exported += bytes;
    return true;
  }

 private:
  FakeBatchFiles& files_;
  int writes_ = 0;
};

inline std::unique_ptr<ByteSink> FakeBatchFiles::createExportFile() {
  if (!exportOpens) return nullptr;
  exported.clear();
  exportClosed = false;
  return std::make_unique<StringSink>(*this);
}

}  // namespace quorvane::test
