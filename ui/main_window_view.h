#pragma once
// What the actions of the main window need of the window itself. The Win32
// front end implements it on the real controls; tests implement it in memory.
// Texts are GBK. Once the window has been closed every call is a no-op that
// reads as empty, so an action interrupted by the close touches nothing.

#include <cstddef>
#include <string>
#include <string_view>

#include "tracking/history_box.h"

namespace quorvane {

enum class Button { Add, Save, Import };
enum class MessageIcon { Error, Warning };

// Columns of the result list.
inline constexpr int kNumberColumn = 0;
inline constexpr int kStatusColumn = 1;

class MainWindowView {
 public:
  virtual ~MainWindowView() = default;

  // True once the window has been destroyed (closed inside a nested action).
  virtual bool isClosed() const = 0;

  virtual void setCaption(std::string_view text) = 0;
  virtual void setHintText(std::string_view text) = 0;
  virtual void enableButton(Button button) = 0;
  virtual std::string numberInputText() const = 0;

  // Says how many courier items are about to be added, so that the list can
  // make room for them at once; a view that grows cheaply ignores it.
  virtual void reserveCourierItems(std::size_t /*count*/) {}
  // Adds an item at the end of the courier list; returns its index.
  virtual int addCourierItem(std::string_view name) = 0;
  // The index of the chosen courier, -1 when none is.
  virtual int chosenCourierIndex() const = 0;

  // Appends a row (status empty, neither selected nor current); returns its index.
  virtual std::size_t appendRow(std::string_view number) = 0;
  // Does nothing for a row that does not exist.
  virtual void setCell(std::size_t row, int column, std::string_view text) = 0;
  // Empty for a row that does not exist.
  virtual std::string cell(std::size_t row, int column) const = 0;
  virtual std::size_t rowCount() const = 0;
  // The selected row, -1 when no row is selected.
  virtual int selectedRow() const = 0;

  virtual HistoryBox& historyBox() = 0;

  // Between these two calls (which nest) appended rows may reach the screen
  // late, though at least ten times a second: drawing a shown list on every
  // row can cost more than the query that made it. The rows themselves are in
  // the list at once for every action. The outermost end brings the shown list
  // up to date. A view that draws cheaply ignores both.
  virtual void beginRowBatch() {}
  virtual void endRowBatch() {}

  // Handles every message already waiting (paints and input included) and
  // returns; a request to quit stays queued for the main loop.
  virtual void processPendingMessages() = 0;

  // A message box with one OK button, modal for the whole program.
  virtual void showMessage(std::string_view text, std::string_view title, MessageIcon icon) = 0;
};

// Holds a row batch open for its lifetime, so that it ends however the batch does.
class RowBatch {
 public:
  explicit RowBatch(MainWindowView& view) : view_(view) { view_.beginRowBatch(); }
  ~RowBatch() { view_.endRowBatch(); }
  RowBatch(const RowBatch&) = delete;
  RowBatch& operator=(const RowBatch&) = delete;

 private:
  MainWindowView& view_;
};

}  // namespace quorvane
