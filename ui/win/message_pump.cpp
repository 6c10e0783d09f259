#include "ui/win/message_pump.h"

namespace quorvane {
namespace {

// Tab always moves the focus on: a multi-line edit box would otherwise keep it,
// even a read-only one.
bool moveFocusOnTab(HWND dialog, const MSG& message) {
  if (message.message != WM_KEYDOWN || message.wParam != VK_TAB || !IsChild(dialog, message.hwnd)) return false;
  const bool backwards = GetKeyState(VK_SHIFT) < 0;
  if (HWND next = GetNextDlgTabItem(dialog, message.hwnd, backwards)) SetFocus(next);
  return true;
}

void dispatch(HWND dialogKeysWindow, MSG& message) {
  const bool dialogKeys = dialogKeysWindow && IsWindow(dialogKeysWindow);
  if (dialogKeys && moveFocusOnTab(dialogKeysWindow, message)) return;
  if (dialogKeys && IsDialogMessageW(dialogKeysWindow, &message)) return;
  TranslateMessage(&message);
  DispatchMessageW(&message);
}

}  // namespace

void runMessageLoop(const HWND& dialogKeysWindow) {
  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) dispatch(dialogKeysWindow, message);
}

void processPendingMessages(HWND dialogKeysWindow) {
  MSG message;
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (message.message == WM_QUIT) {
      PostQuitMessage(static_cast<int>(message.wParam));
      return;
    }
    dispatch(dialogKeysWindow, message);
  }
}

}  // namespace quorvane
