#pragma once
// What happens when the main window has been created, before it is shown:
// the courier list fills the courier combo box and the patterns are compiled.

#include "couriers/courier_list_file.h"
#include "ui/app_state.h"
#include "ui/main_window_view.h"

namespace quorvane {

// Fills the courier combo box and state.courierCodes together, in key order.
// A missing file is reported in an error box; then the result is false.
bool loadCourierList(AppState& state, MainWindowView& view, const CourierListFile& file);

// Loads the courier list and, when its file exists, compiles the patterns.
void onMainWindowCreated(AppState& state, MainWindowView& view, const CourierListFile& file);

}  // namespace quorvane
