#include "ui/win/hyperlink.h"

#include <shellapi.h>

#include "ui/win/layout.h"

namespace quorvane {
namespace {

struct Hyperlink {
  std::wstring target;
  HFONT font = nullptr;  // not owned: the parent's font
  bool hover = false;
  bool visited = false;

  COLORREF color() const { return hover ? kLinkHoverColor : visited ? kLinkVisitedColor : kLinkColor; }
};

Hyperlink* linkOf(HWND window) { return reinterpret_cast<Hyperlink*>(GetWindowLongPtrW(window, GWLP_USERDATA)); }

void paint(HWND window, const Hyperlink& link) {
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(window, &paint);
  RECT client;
  GetClientRect(window, &client);
  FillRect(dc, &client, GetSysColorBrush(COLOR_BTNFACE));
  wchar_t text[256] = {};
  GetWindowTextW(window, text, 256);
  HGDIOBJ oldFont = SelectObject(dc, link.font ? link.font : GetStockObject(DEFAULT_GUI_FONT));
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, link.color());
  DrawTextW(dc, text, -1, &client, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
  SelectObject(dc, oldFont);
  EndPaint(window, &paint);
}

void setHover(HWND window, Hyperlink& link, bool hover) {
  if (link.hover == hover) return;
  link.hover = hover;
  if (hover) {
    TRACKMOUSEEVENT track{sizeof(track), TME_LEAVE, window, 0};
    TrackMouseEvent(&track);
  }
  InvalidateRect(window, nullptr, TRUE);
}

bool openWithShell(const std::wstring& target) {
  const auto result =
      reinterpret_cast<INT_PTR>(ShellExecuteW(nullptr, L"open", target.c_str(), nullptr, nullptr, SW_SHOWNORMAL));
  return result > 32;
}

HyperlinkOpener opener = openWithShell;

// The link's data while its window exists; null once the window is gone.
Hyperlink* liveLinkOf(HWND window) { return IsWindow(window) ? linkOf(window) : nullptr; }

// Both the parent's action and the shell may run a message loop in which the
// window is closed and its data freed, so the data is looked up anew after each.
void press(HWND window) {
  const auto id = static_cast<WORD>(GetDlgCtrlID(window));
  SendMessageW(GetParent(window), WM_COMMAND, MAKEWPARAM(id, kHyperlinkPressed), reinterpret_cast<LPARAM>(window));
  const Hyperlink* before = liveLinkOf(window);
  if (!before || before->target.empty()) return;
  const std::wstring target = before->target;
  const bool opened = opener(target);
  Hyperlink* after = liveLinkOf(window);
  if (!after) return;
  if (opened) after->visited = true;
  InvalidateRect(window, nullptr, TRUE);
}

LRESULT handleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  Hyperlink* link = linkOf(window);
  switch (message) {
    case WM_NCCREATE:
      SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(new Hyperlink));
      break;
    case WM_NCDESTROY:
      delete link;
      SetWindowLongPtrW(window, GWLP_USERDATA, 0);
      break;
    case WM_SETFONT:
      if (link) link->font = reinterpret_cast<HFONT>(wParam);
      if (LOWORD(lParam)) InvalidateRect(window, nullptr, TRUE);
      return 0;
    case WM_GETFONT:
      return link ? reinterpret_cast<LRESULT>(link->font) : 0;
    case WM_PAINT:
      if (link) paint(window, *link);
      return 0;
    case WM_ERASEBKGND:
      return 1;  // the paint fills the whole box
    case WM_SETCURSOR:
      SetCursor(LoadCursorW(nullptr, IDC_HAND));
      return TRUE;
    case WM_MOUSEMOVE:
      if (link) setHover(window, *link, true);
      return 0;
    case WM_MOUSELEAVE:
      if (link) setHover(window, *link, false);
      return 0;
    case WM_LBUTTONDOWN:
      if (link) press(window);
      return 0;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

// No exception may unwind through the system's message dispatch.
LRESULT CALLBACK hyperlinkProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  try {
    return handleMessage(window, message, wParam, lParam);
  } catch (...) {
    return message == WM_NCCREATE ? FALSE : 0;  // a link without its data is not created
  }
}

}  // namespace

void registerHyperlinkClass(HINSTANCE instance) {
  WNDCLASSEXW windowClass{};
  windowClass.cbSize = sizeof(windowClass);
  windowClass.lpfnWndProc = hyperlinkProc;
  windowClass.hInstance = instance;
  windowClass.hCursor = LoadCursorW(nullptr, IDC_HAND);
  windowClass.lpszClassName = layout::kHyperlinkClass;
  RegisterClassExW(&windowClass);
}

void setHyperlinkOpener(HyperlinkOpener open) { opener = open ? open : openWithShell; }

void setHyperlinkTarget(HWND hyperlink, const std::wstring& url) {
  if (Hyperlink* link = linkOf(hyperlink)) link->target = url;
}

COLORREF hyperlinkTextColor(HWND hyperlink) {
  const Hyperlink* link = linkOf(hyperlink);
  return link ? link->color() : kLinkColor;
}

}  // namespace quorvane
