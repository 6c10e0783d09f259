// The view that the actions see, on the real controls of the main window.
// Every operation checks the control first: once the window is gone it does
// nothing and reads as empty.

#include <windows.h>
#include <commctrl.h>

#include <vector>

#include "text/win/code_page.h"
#include "ui/win/layout.h"
#include "ui/win/main_window.h"
#include "ui/win/message_pump.h"

namespace quorvane {
namespace {

void setText(HWND control, std::string_view text) {
  if (control) SetWindowTextW(control, gbkToWide(text).c_str());
}

std::string textOf(HWND control) {
  if (!control) return {};
  std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(control)) + 1, L'\0');
  text.resize(static_cast<std::size_t>(GetWindowTextW(control, text.data(), static_cast<int>(text.size()))));
  return wideToGbk(text);
}

int buttonId(Button button) {
  switch (button) {
    case Button::Add:
      return layout::按钮_单条添加;
    case Button::Save:
      return layout::按钮_保存数据;
    case Button::Import:
      return layout::按钮_导入单号;
  }
  return 0;
}

}  // namespace

void MainWindow::setCaption(std::string_view text) { setText(window_, text); }

void MainWindow::setHintText(std::string_view text) { setText(control(layout::标签_提示信息), text); }

void MainWindow::enableButton(Button button) {
  if (HWND control = this->control(buttonId(button))) EnableWindow(control, TRUE);
}

std::string MainWindow::numberInputText() const { return textOf(control(layout::编辑框_单号输入)); }

// Otherwise the combo box grows its item table a few items at a time, which
// under Wine costs time quadratic in the number of couriers.
void MainWindow::reserveCourierItems(std::size_t count) {
  if (HWND combo = control(layout::组合框_快递公司)) SendMessageW(combo, CB_INITSTORAGE, count, 0);
}

int MainWindow::addCourierItem(std::string_view name) {
  HWND combo = control(layout::组合框_快递公司);
  if (!combo) return -1;
  const std::wstring text = gbkToWide(name);
  return static_cast<int>(SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str())));
}

int MainWindow::chosenCourierIndex() const {
  HWND combo = control(layout::组合框_快递公司);
  return combo ? static_cast<int>(SendMessageW(combo, CB_GETCURSEL, 0, 0)) : -1;
}

std::size_t MainWindow::appendRow(std::string_view number) {
  HWND list = control(layout::超级列表框_标点列表);
  if (!list) return rowCount();
  if (rowBatchDepth_ > 0 && !resultListDrawingOff_) {
    SendMessageW(list, WM_SETREDRAW, FALSE, 0);
    resultListDrawingOff_ = true;
  }
  std::wstring text = gbkToWide(number);
  LVITEMW item{};
  item.mask = LVIF_TEXT;
  item.iItem = static_cast<int>(rowCount());
  item.pszText = text.data();
  const auto index = SendMessageW(list, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
  return index < 0 ? rowCount() : static_cast<std::size_t>(index);
}

void MainWindow::setCell(std::size_t row, int column, std::string_view text) {
  HWND list = control(layout::超级列表框_标点列表);
  if (!list || row >= rowCount()) return;
  std::wstring wide = gbkToWide(text);
  LVITEMW item{};
  item.iSubItem = column;
  item.pszText = wide.data();
  SendMessageW(list, LVM_SETITEMTEXTW, row, reinterpret_cast<LPARAM>(&item));
}

std::string MainWindow::cell(std::size_t row, int column) const {
  HWND list = control(layout::超级列表框_标点列表);
  if (!list || row >= rowCount()) return {};
  // The list view gives no length: grow the buffer until the text fits.
  for (std::size_t size = 256;; size *= 2) {
    std::vector<wchar_t> buffer(size);
    LVITEMW item{};
    item.iSubItem = column;
    item.pszText = buffer.data();
    item.cchTextMax = static_cast<int>(size);
    const auto length =
        static_cast<std::size_t>(SendMessageW(list, LVM_GETITEMTEXTW, row, reinterpret_cast<LPARAM>(&item)));
    if (length + 1 < size) return wideToGbk(std::wstring_view(buffer.data(), length));
  }
}

std::size_t MainWindow::rowCount() const {
  HWND list = control(layout::超级列表框_标点列表);
  return list ? static_cast<std::size_t>(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0)) : 0;
}

int MainWindow::selectedRow() const {
  HWND list = control(layout::超级列表框_标点列表);
  return list ? static_cast<int>(SendMessageW(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED)) : -1;
}

void MainWindow::processPendingMessages() {
  // Often enough for the list to be seen growing at least ten times a second
  // (a row's query comes on top of the interval), seldom enough to cost little.
  constexpr ULONGLONG kDrawIntervalMs = 90;
  if (resultListDrawingOff_ && GetTickCount64() - resultListDrawnAt_ >= kDrawIntervalMs) drawResultList();
  quorvane::processPendingMessages(window_);
}

void MainWindow::beginRowBatch() { ++rowBatchDepth_; }

// Every batch that ends shows its rows at once, an inner one too: the outer
// batch turns the drawing off again at its next row.
void MainWindow::endRowBatch() {
  if (rowBatchDepth_ > 0) --rowBatchDepth_;
  if (resultListDrawingOff_) drawResultList();
}

void MainWindow::drawResultList() {
  resultListDrawingOff_ = false;
  resultListDrawnAt_ = GetTickCount64();
  HWND list = control(layout::超级列表框_标点列表);
  if (!list) return;
  SendMessageW(list, WM_SETREDRAW, TRUE, 0);
  InvalidateRect(list, nullptr, TRUE);
}

void MainWindow::showMessage(std::string_view text, std::string_view title, MessageIcon icon) {
  // No owner, modal for every window of the program.
  const UINT iconStyle = icon == MessageIcon::Warning ? MB_ICONWARNING : MB_ICONERROR;
  MessageBoxW(nullptr, gbkToWide(text).c_str(), gbkToWide(title).c_str(), MB_OK | MB_TASKMODAL | iconStyle);
}

void MainWindow::EditHistoryBox::replaceText(std::string_view text) {
  setText(window_.control(layout::编辑框_物流信息), text);
}

// Caret to the end, scrolled into view, then the text inserted there; this
// works although the user cannot type into the box.
void MainWindow::EditHistoryBox::appendText(std::string_view text) {
  HWND box = window_.control(layout::编辑框_物流信息);
  if (!box) return;
  const int end = GetWindowTextLengthW(box);
  SendMessageW(box, EM_SETSEL, end, end);
  SendMessageW(box, EM_SCROLLCARET, 0, 0);
  SendMessageW(box, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(gbkToWide(text).c_str()));
}

}  // namespace quorvane
