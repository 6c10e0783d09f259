#pragma once
// The main window on Win32: its controls from the layout table, one window
// procedure that hands each message to a named handler, and the view that the
// actions work through.

#include <windows.h>

#include <array>
#include <iterator>

#include "ui/main_window_actions.h"
#include "ui/main_window_view.h"
#include "ui/startup_actions.h"
#include "ui/win/layout.h"

namespace quorvane {

class MainWindow final : public MainWindowView {
 public:
  struct Services {
    AppState& state;
    PageFetcher& fetcher;
    BatchFiles& files;
    const CourierListFile& courierList;
  };

  MainWindow(HINSTANCE instance, Services services);
  ~MainWindow() override;
  MainWindow(const MainWindow&) = delete;
  MainWindow& operator=(const MainWindow&) = delete;

  // Registers the window classes once per process.
  static void registerClasses(HINSTANCE instance);

  // Creates the window and its controls and raises the created event while it
  // is still hidden; then shows it centred on the screen.
  bool create(int showCommand);

  // The window; null once it has been destroyed. A reference stays valid for
  // the message loop and the dialogs, which need the window as it is now.
  const HWND& handle() const { return window_; }
  HWND control(int id) const;

  // MainWindowView
  bool isClosed() const override { return window_ == nullptr; }
  void setCaption(std::string_view text) override;
  void setHintText(std::string_view text) override;
  void enableButton(Button button) override;
  std::string numberInputText() const override;
  void reserveCourierItems(std::size_t count) override;
  int addCourierItem(std::string_view name) override;
  int chosenCourierIndex() const override;
  std::size_t appendRow(std::string_view number) override;
  void setCell(std::size_t row, int column, std::string_view text) override;
  std::string cell(std::size_t row, int column) const override;
  std::size_t rowCount() const override;
  int selectedRow() const override;
  HistoryBox& historyBox() override { return historyBox_; }
  void beginRowBatch() override;
  void endRowBatch() override;
  void processPendingMessages() override;
  void showMessage(std::string_view text, std::string_view title, MessageIcon icon) override;

 private:
  class EditHistoryBox final : public HistoryBox {
   public:
    explicit EditHistoryBox(const MainWindow& window) : window_(window) {}
    void replaceText(std::string_view text) override;
    void appendText(std::string_view text) override;

   private:
    const MainWindow& window_;
  };

  static LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam);

  void onCreate();
  void onCommand(int id, int code);
  void onCourierNotification(int code);
  LRESULT onNotify(const NMHDR& header);
  LRESULT onControlColor(HDC dc, HWND control);
  void onDrawLabel(const DRAWITEMSTRUCT& item);
  void onDestroy();

  // Turns the result list's drawing back on and has it repainted.
  void drawResultList();

  void createControls();
  void setUpResultList();
  void setUpCourierCombo();

  HINSTANCE instance_;
  AppState& state_;
  const CourierListFile& courierList_;
  HWND window_ = nullptr;
  // The controls by id, looked up once: Wine's GetDlgItem costs tens of microseconds.
  std::array<HWND, std::size(layout::kControls)> controls_{};
  EditHistoryBox historyBox_{*this};
  // Under Wine every change in the size of a shown list redraws its themed
  // scroll bar, which costs several times a fetch; so during a row batch the
  // list's drawing stays off and is turned on again only now and then.
  int rowBatchDepth_ = 0;
  bool resultListDrawingOff_ = false;
  ULONGLONG resultListDrawnAt_ = 0;  // GetTickCount64 at the last time the drawing was turned on
  MainWindowContext context_;
};

}  // namespace quorvane
