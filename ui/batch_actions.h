#pragma once
// The import and export buttons of the main window.

#include "ui/main_window_actions.h"

namespace quorvane {

// Asks for a text file of numbers and queries the number of each line, one
// after the other, into the result list. Stops early when the window is closed
// meanwhile (from inside the per-number step).
void importNumberFile(MainWindowContext& context);

// Asks for a file and writes every row of the result list into it.
void exportResultList(MainWindowContext& context);

}  // namespace quorvane
