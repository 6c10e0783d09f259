#include "ui/startup_actions.h"

#include "couriers/courier_list.h"
#include "couriers/ini_file.h"
#include "ui/window_texts.h"

namespace quorvane {

bool loadCourierList(AppState& state, MainWindowView& view, const CourierListFile& file) {
  if (!file.exists()) {
    view.showMessage(texts::kCourierListMissing, texts::kErrorTitle, MessageIcon::Error);
    return false;
  }
  const std::string bytes = file.contents();
  const auto readValue = [&bytes](const std::string& key) {
    return readProfileString(bytes, kCourierListSection, key, kCourierListDefault, kCourierValueBufferSize);
  };
  for (const CourierEntry& entry : readCourierEntries(readValue)) {
    // An item the list could not take gets no code either, so that the
    // list's indexes and courierCodes stay in step.
    if (view.addCourierItem(entry.name) < 0) continue;
    state.courierCodes.push_back(entry.code);
  }
  return true;
}

void onMainWindowCreated(AppState& state, MainWindowView& view, const CourierListFile& file) {
  if (loadCourierList(state, view, file)) compilePatterns(state);
}

}  // namespace quorvane
