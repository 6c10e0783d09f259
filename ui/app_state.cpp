#include "ui/app_state.h"

namespace quorvane {

std::unique_ptr<AppState> createAppState() { return std::make_unique<AppState>(); }

void releaseAppState(std::unique_ptr<AppState>& state) { state.reset(); }

}  // namespace quorvane
