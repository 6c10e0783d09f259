#pragma once
// A one-line hyperlink control: blue text, light blue under the pointer, dark
// red once its target has been opened, a hand pointer. A left-button press
// first tells the parent (WM_COMMAND with kHyperlinkPressed) and then has the
// shell open the target.

#include <windows.h>

#include <string>

namespace quorvane {

inline constexpr WORD kHyperlinkPressed = 0x4C50;  // notification code in WM_COMMAND

inline constexpr COLORREF kLinkColor = RGB(0, 0, 255);
inline constexpr COLORREF kLinkHoverColor = RGB(51, 153, 255);
inline constexpr COLORREF kLinkVisitedColor = RGB(128, 0, 0);

// Opens a link's target; true when it was opened.
using HyperlinkOpener = bool (*)(const std::wstring& target);

void registerHyperlinkClass(HINSTANCE instance);
// The shell's default web browser opens targets unless another opener is set
// (tests set one); null brings the shell back.
void setHyperlinkOpener(HyperlinkOpener open);
void setHyperlinkTarget(HWND hyperlink, const std::wstring& url);
// The colour the link is drawn in now.
COLORREF hyperlinkTextColor(HWND hyperlink);

}  // namespace quorvane
