#include "ui/win/main_window.h"

#include <commctrl.h>

#include "text/win/code_page.h"
#include "ui/batch_actions.h"
#include "ui/win/hyperlink.h"
#include "ui/win/layout.h"
#include "ui/window_texts.h"

namespace quorvane {
namespace {

HFONT guiFont() { return static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT)); }

bool focusMarkArrived(const NMLISTVIEW& change) {
  return (change.uChanged & LVIF_STATE) && (change.uNewState & LVIS_FOCUSED) && !(change.uOldState & LVIS_FOCUSED) &&
         change.iItem >= 0;
}

}  // namespace

MainWindow::MainWindow(HINSTANCE instance, Services services)
    : instance_(instance),
      state_(services.state),
      courierList_(services.courierList),
      context_{services.state, *this, services.fetcher, services.files} {}

MainWindow::~MainWindow() {
  if (window_) DestroyWindow(window_);
}

void MainWindow::registerClasses(HINSTANCE instance) {
  INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_LISTVIEW_CLASSES | ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&controls);
  registerHyperlinkClass(instance);

  WNDCLASSEXW windowClass{};
  windowClass.cbSize = sizeof(windowClass);
  windowClass.lpfnWndProc = windowProc;
  windowClass.hInstance = instance;
  windowClass.hIcon = static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(1), IMAGE_ICON, 0, 0, LR_DEFAULTSIZE));
  windowClass.hIconSm = static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(1), IMAGE_ICON,
                                                      GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON), 0));
  windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  windowClass.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
  windowClass.lpszClassName = layout::kWindowClass;
  RegisterClassExW(&windowClass);
}

HWND MainWindow::control(int id) const {
  const auto index = static_cast<std::size_t>(id - layout::kControls[0].id);
  return window_ && index < controls_.size() ? controls_[index] : nullptr;
}

bool MainWindow::create(int showCommand) {
  const int x = (GetSystemMetrics(SM_CXSCREEN) - layout::kWindowWidth) / 2;
  const int y = (GetSystemMetrics(SM_CYSCREEN) - layout::kWindowHeight) / 2;
  const std::wstring caption = gbkToWide(texts::kCaption);
  CreateWindowExW(layout::kWindowExStyle, layout::kWindowClass, caption.c_str(), layout::kWindowStyle, x, y,
                  layout::kWindowWidth, layout::kWindowHeight, nullptr, nullptr, instance_, this);
  if (!window_) return false;
  ShowWindow(window_, showCommand);
  UpdateWindow(window_);
  return true;
}

LRESULT CALLBACK MainWindow::windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* self = static_cast<MainWindow*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
    self->window_ = window;
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
  }
  auto* self = reinterpret_cast<MainWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (!self || !self->window_) return DefWindowProcW(window, message, wParam, lParam);
  // No exception may unwind through the system's message dispatch: an action
  // that throws ends where it is, and the window goes on.
  try {
    return self->handleMessage(message, wParam, lParam);
  } catch (...) {
    return 0;
  }
}

LRESULT MainWindow::handleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE:
      onCreate();
      return 0;
    case WM_COMMAND:
      onCommand(LOWORD(wParam), HIWORD(wParam));
      return 0;
    case WM_NOTIFY:
      return onNotify(*reinterpret_cast<const NMHDR*>(lParam));
    case WM_DRAWITEM:
      onDrawLabel(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
      return TRUE;
    case WM_CTLCOLORSTATIC:
      return onControlColor(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
    case WM_DESTROY:
      onDestroy();
      return 0;
  }
  return DefWindowProcW(window_, message, wParam, lParam);
}

void MainWindow::onCreate() {
  createControls();
  // The courier list may be long: without drawing, the combo box does not
  // bring its scroll bar up to date after every item (under Wine, a themed
  // redraw each time), only once at the end.
  HWND combo = control(layout::组合框_快递公司);
  SendMessageW(combo, WM_SETREDRAW, FALSE, 0);
  struct RedrawAgain {
    HWND combo;
    ~RedrawAgain() { SendMessageW(combo, WM_SETREDRAW, TRUE, 0); }
  } const redrawAgain{combo};
  onMainWindowCreated(state_, *this, courierList_);
}

void MainWindow::onCommand(int id, int code) {
  switch (id) {
    case IDCANCEL:  // Esc, from whichever control has the focus
      DestroyWindow(window_);
      return;
    case layout::组合框_快递公司:
      onCourierNotification(code);
      return;
    case layout::按钮_单条添加:
      if (code == BN_CLICKED) addSingleNumber(context_);
      return;
    case layout::按钮_导入单号:
      if (code == BN_CLICKED) importNumberFile(context_);
      return;
    case layout::按钮_保存数据:
      if (code == BN_CLICKED) exportResultList(context_);
      return;
    case layout::超级链接框1:
      if (code == kHyperlinkPressed) onHomepageLinkPressed(context_);
      return;
  }
  // IDOK (Enter) and everything else: no button is the default button.
}

// A pick from the open list ends in CBN_SELENDOK, also for the item already
// chosen; a change made with the keyboard while the list is closed only
// sends CBN_SELCHANGE. Filling the list sends neither.
void MainWindow::onCourierNotification(int code) {
  const bool listOpen = SendMessageW(control(layout::组合框_快递公司), CB_GETDROPPEDSTATE, 0, 0) != 0;
  if (code == CBN_SELENDOK || (code == CBN_SELCHANGE && !listOpen)) chooseCourier(context_);
}

LRESULT MainWindow::onNotify(const NMHDR& header) {
  if (header.idFrom == layout::超级列表框_标点列表 && header.code == LVN_ITEMCHANGED &&
      focusMarkArrived(reinterpret_cast<const NMLISTVIEW&>(header))) {
    showRowDetails(context_);
  }
  return 0;  // column clicks and everything else: nothing happens
}

// Labels and the group box on the dialog face; the read-only history box
// keeps the white of an edit box. Text is black everywhere.
LRESULT MainWindow::onControlColor(HDC dc, HWND controlWindow) {
  const bool historyBox = controlWindow == control(layout::编辑框_物流信息);
  const int background = historyBox ? COLOR_WINDOW : COLOR_BTNFACE;
  SetTextColor(dc, RGB(0, 0, 0));
  SetBkColor(dc, GetSysColor(background));
  return reinterpret_cast<LRESULT>(GetSysColorBrush(background));
}

void MainWindow::onDrawLabel(const DRAWITEMSTRUCT& item) {
  if (item.CtlType != ODT_STATIC) return;
  const int length = GetWindowTextLengthW(item.hwndItem);
  std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
  text.resize(static_cast<std::size_t>(GetWindowTextW(item.hwndItem, text.data(), length + 1)));
  std::erase_if(text, [](wchar_t c) { return c == L'\r' || c == L'\n'; });
  RECT box = item.rcItem;
  FillRect(item.hDC, &box, GetSysColorBrush(COLOR_BTNFACE));
  HGDIOBJ oldFont = SelectObject(item.hDC, reinterpret_cast<HFONT>(SendMessageW(item.hwndItem, WM_GETFONT, 0, 0)));
  SetBkMode(item.hDC, TRANSPARENT);
  SetTextColor(item.hDC, RGB(0, 0, 0));
  DrawTextW(item.hDC, text.c_str(), static_cast<int>(text.size()), &box,
            DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
  SelectObject(item.hDC, oldFont);
}

void MainWindow::onDestroy() {
  window_ = nullptr;  // from here on the view touches no control
  controls_.fill(nullptr);
  PostQuitMessage(0);
}

void MainWindow::createControls() {
  for (const layout::ControlSpec& entry : layout::kControls) {
    const std::wstring text = gbkToWide(entry.text);
    HWND child = CreateWindowExW(entry.exStyle, entry.className, text.c_str(), entry.style, entry.x, entry.y,
                                 entry.width, entry.height, window_,
                                 reinterpret_cast<HMENU>(static_cast<INT_PTR>(entry.id)), instance_, nullptr);
    SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(guiFont()), FALSE);
    controls_[static_cast<std::size_t>(entry.id - layout::kControls[0].id)] = child;
  }
  setHyperlinkTarget(control(layout::超级链接框1), gbkToWide(texts::kHomepageUrl));
  SendMessageW(control(layout::编辑框_单号输入), EM_SETLIMITTEXT, 0, 0);
  SendMessageW(control(layout::编辑框_物流信息), EM_SETLIMITTEXT, 0, 0);
  setUpCourierCombo();
  setUpResultList();
}

// The closed combo box is as tall as its layout box; its list opens to the
// height it was created with. The field's height is set once as reported (the
// report may include borders that the setting does not), then corrected by
// what the box measures.
void MainWindow::setUpCourierCombo() {
  HWND combo = control(layout::组合框_快递公司);
  const auto field = static_cast<int>(SendMessageW(combo, CB_GETITEMHEIGHT, static_cast<WPARAM>(-1), 0));
  SendMessageW(combo, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), field);
  RECT box;
  GetWindowRect(combo, &box);
  const int corrected = field - ((box.bottom - box.top) - layout::kComboClosedHeight);
  if (corrected > 0) SendMessageW(combo, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), corrected);
}

void MainWindow::setUpResultList() {
  HWND list = control(layout::超级列表框_标点列表);
  const DWORD extended = LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES;
  SendMessageW(list, LVM_SETEXTENDEDLISTVIEWSTYLE, extended, extended);
  int index = 0;
  for (const layout::ColumnSpec& entry : layout::kResultColumns) {
    std::wstring title = gbkToWide(entry.title);
    LVCOLUMNW column{};
    column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT | LVCF_SUBITEM;
    column.fmt = LVCFMT_LEFT;
    column.cx = entry.width;
    column.pszText = title.data();
    column.iSubItem = index;
    SendMessageW(list, LVM_INSERTCOLUMNW, index++, reinterpret_cast<LPARAM>(&column));
  }
}

}  // namespace quorvane
