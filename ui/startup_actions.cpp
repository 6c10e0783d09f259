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
  // One pass over the file answers every key.
  const ProfileSection couriers(file.contents(), kCourierListSection);
  const auto readValue = [&couriers](const std::string& key) {
    return couriers.readString(key, kCourierListDefault, kCourierValueBufferSize);
  };
  const std::vector<CourierEntry> entries = readCourierEntries(readValue);
  view.reserveCourierItems(entries.size());
  for (const CourierEntry& entry : entries) {
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
