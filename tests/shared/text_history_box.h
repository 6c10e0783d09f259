#pragma once
// A history box that keeps its text in memory and counts the calls made to it.

#include <string>
#include <string_view>

#include "tracking/history_box.h"

namespace quorvane::test {

class TextHistoryBox final : public HistoryBox {
 public:
  explicit TextHistoryBox(std::string initialText = {}) : text(std::move(initialText)) {}
  void replaceText(std::string_view gbkText) override {
    text = gbkText;
    ++calls;
  }
  void appendText(std::string_view gbkText) override {
    text += gbkText;
    ++calls;
  }
  std::string text;
  int calls = 0;
};

}  // namespace quorvane::test
