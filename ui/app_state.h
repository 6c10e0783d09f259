#pragma once
// The program's one state record: the company codes of the courier list, the
// compiled patterns and the company code of the courier chosen now.

#include <memory>
#include <string>
#include <vector>

#include "tracking/tracking_patterns.h"

namespace quorvane {

struct AppState {
  std::vector<std::string> courierCodes;  // element i is the code of courier combo item i
  TrackingPatterns patterns;
  std::string currentCompanyCode;  // empty until a courier is chosen
};

std::unique_ptr<AppState> createAppState();

// Compiles the state's patterns (see TrackingPatterns).
inline void compilePatterns(AppState& state) { compilePatterns(state.patterns); }

// The exit cleanup. Releases the state once; later calls find nothing to do.
void releaseAppState(std::unique_ptr<AppState>& state);

}  // namespace quorvane
