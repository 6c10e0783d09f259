#pragma once
// What a detail query needs of the tracking-history box of the main window.

#include <string_view>

namespace quorvane {

class HistoryBox {
 public:
  virtual ~HistoryBox() = default;
  // Replaces the whole text of the box.
  virtual void replaceText(std::string_view gbkText) = 0;
  // Puts the caret after the present text, scrolls it into view, inserts the text there.
  virtual void appendText(std::string_view gbkText) = 0;
};

}  // namespace quorvane
