#include "ui/win/message_pump.h"

namespace quorvane {
namespace {

void dispatch(HWND dialogKeysWindow, MSG& message) {
  if (dialogKeysWindow && IsWindow(dialogKeysWindow) && IsDialogMessageW(dialogKeysWindow, &message)) return;
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
