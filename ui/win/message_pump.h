#pragma once
// Message handling shared by the main loop and by actions that let pending
// messages run: dialog keys (Tab, Esc, Enter) go through IsDialogMessage.

#include <windows.h>

namespace quorvane {

// Runs the main loop until the quit request; dialogKeysWindow may be destroyed meanwhile.
void runMessageLoop(const HWND& dialogKeysWindow);

// Handles every message already queued, then returns. A quit request met on
// the way is put back, so the main loop still ends on it.
void processPendingMessages(HWND dialogKeysWindow);

}  // namespace quorvane
