#pragma once
// What the fuzz targets share: a check that stops the run, and the compiled patterns.

#include "tracking/tracking_patterns.h"

namespace quorvane::fuzz {

// A broken property is a finding: libFuzzer saves the input that broke it.
inline void require(bool condition) {
  if (!condition) __builtin_trap();
}

inline const TrackingPatterns& compiledPatterns() {
  static const TrackingPatterns patterns = [] {
    TrackingPatterns compiled;
    compilePatterns(compiled);
    return compiled;
  }();
  return patterns;
}

}  // namespace quorvane::fuzz
