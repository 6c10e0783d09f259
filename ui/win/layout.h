#pragma once
// The main window's fixed layout: every control with its id, class, place,
// size, text and styles, in creation order. Creation order is also the
// stacking order (earlier lies on top: the hyperlink covers the end of the
// hint label) and the Tab order among the controls that take the focus.

#include <windows.h>
#include <commctrl.h>

#include <string_view>

#include "ui/window_texts.h"

namespace quorvane::layout {

// Control ids, named after the controls of the main window's form.
enum ControlId : int {
  超级链接框1 = 1001,
  标签_提示信息,
  组合框_快递公司,
  按钮_单条添加,
  编辑框_单号输入,
  按钮_保存数据,
  按钮_导入单号,
  标签2,
  分组框1,
  标签1,
  编辑框_物流信息,
  超级列表框_标点列表,
};

inline constexpr wchar_t kWindowClass[] = L"QuorvaneMainWindow";
inline constexpr wchar_t kHyperlinkClass[] = L"QuorvaneHyperlink";
inline constexpr int kWindowWidth = 550;  // outer size, frame and title bar included
inline constexpr int kWindowHeight = 429;
inline constexpr DWORD kWindowStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU;  // fixed frame, close button only
inline constexpr DWORD kWindowExStyle = WS_EX_APPWINDOW;

inline constexpr int kComboDroppedHeight = 160;  // the combo box with its list open
inline constexpr int kComboClosedHeight = 20;

// The six controls inside the group box are placed relative to it.
inline constexpr int kGroupX = 280;
inline constexpr int kGroupY = 276;

struct ControlSpec {
  ControlId id;
  const wchar_t* className;
  std::string_view text;  // GBK
  DWORD style;
  DWORD exStyle;
  int x, y, width, height;  // client coordinates of the main window
};

// Siblings clip each other, so painting keeps the stacking order.
inline constexpr DWORD kChild = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS;
// Labels draw their own text: on one line, left-aligned, centred vertically,
// without showing the line break that ends the opening hint.
inline constexpr DWORD kLabel = kChild | SS_OWNERDRAW;
inline constexpr DWORD kButton = kChild | WS_TABSTOP | WS_DISABLED | BS_PUSHBUTTON | BS_CENTER;

inline constexpr ControlSpec kControls[] = {
    {超级链接框1, kHyperlinkClass, "作者主页", kChild, 0, 200, 368, 56, 24},
    {标签_提示信息, L"STATIC", texts::kHintChooseCourier, kLabel, 0, 10, 370, 254, 20},
    {组合框_快递公司, WC_COMBOBOXW, "", kChild | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST | CBS_NOINTEGRALHEIGHT, 0,
     kGroupX + 8, kGroupY + 78, 100, kComboDroppedHeight},
    {按钮_单条添加, L"BUTTON", "添加", kButton, 0, kGroupX + 214, kGroupY + 34, 35, 25},
    {编辑框_单号输入, L"EDIT", "", kChild | WS_TABSTOP | ES_LEFT | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE, kGroupX + 8,
     kGroupY + 38, 200, 20},
    {按钮_保存数据, L"BUTTON", "保存数据", kButton, 0, kGroupX + 193, kGroupY + 72, 56, 30},
    {按钮_导入单号, L"BUTTON", "导入单号", kButton, 0, kGroupX + 124, kGroupY + 72, 56, 30},
    {标签2, L"STATIC", "输入单号：", kLabel, 0, kGroupX + 10, kGroupY + 14, 50, 25},
    {分组框1, L"BUTTON", "", kChild | BS_GROUPBOX, 0, kGroupX, kGroupY, 256, 120},
    {标签1, L"STATIC", "详细物流信息：", kLabel, 0, 280, 5, 80, 25},
    {编辑框_物流信息, L"EDIT", "",
     kChild | WS_TABSTOP | WS_VSCROLL | WS_HSCROLL | ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL | ES_AUTOHSCROLL,
     WS_EX_CLIENTEDGE, 280, 30, 255, 240},
    {超级列表框_标点列表, WC_LISTVIEWW, "", kChild | WS_TABSTOP | LVS_REPORT | LVS_SINGLESEL, WS_EX_CLIENTEDGE, 10, 10,
     254, 360},
};

struct ColumnSpec {
  std::string_view title;  // GBK
  int width;
};
inline constexpr ColumnSpec kResultColumns[] = {{"单号", 100}, {"状态", 150}};

}  // namespace quorvane::layout
