#pragma once
// The lines quorvane-batch writes: a number's result as the window's export
// writes it, and its history as the history box shows it, in GBK with CR LF or
// in UTF-8 with LF.

#include <string>
#include <string_view>
#include <vector>

#include "tracking/history_box.h"

namespace quorvane::cli {

// "number␣␣status" and the line end of the encoding.
std::string resultLine(std::string_view number, std::string_view status, bool utf8);

// Every line of the dated entries, each indented by two spaces. Each entry
// reads as the history box shows it: the time, a line break, the text.
std::string historyLines(const std::vector<std::string>& entries, bool utf8);

// Keeps the dated entries that a detail query adds to the history box; the
// headline, which replaces the box text, is not part of the lines.
class HistoryEntries final : public HistoryBox {
 public:
  void replaceText(std::string_view) override { entries_.clear(); }
  void appendText(std::string_view gbkText) override { entries_.emplace_back(gbkText); }
  const std::vector<std::string>& entries() const { return entries_; }

 private:
  std::vector<std::string> entries_;
};

}  // namespace quorvane::cli
