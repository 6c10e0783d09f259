#pragma once
// What happens when the main window has been created, before it is shown:
// the courier list fills the courier combo box and the patterns are compiled.

#include <string>

#include "app/app_state.h"
#include "ui/main_window_view.h"

namespace quorvane {

// The courier list file beside the program.
class CourierListFile {
 public:
  virtual ~CourierListFile() = default;
  // True when a file or a folder of that name exists.
  virtual bool exists() const = 0;
  // Its bytes; empty when it cannot be read (a folder, a file locked against readers).
  virtual std::string contents() const = 0;
};

// Fills the courier combo box and state.courierCodes together, in key order.
// A missing file is reported in an error box; then the result is false.
bool loadCourierList(AppState& state, MainWindowView& view, const CourierListFile& file);

// Loads the courier list and, when its file exists, compiles the patterns.
void onMainWindowCreated(AppState& state, MainWindowView& view, const CourierListFile& file);

}  // namespace quorvane
