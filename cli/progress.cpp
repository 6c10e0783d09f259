#include "cli/progress.h"

#include <cstdio>

namespace quorvane::cli {

std::string progressText(const Tally& tally, std::uint64_t elapsedMs) {
  std::string text = std::to_string(tally.done);
  // Appended piece by piece: "literal" + std::string trips a false -Wrestrict in GCC 12.
  if (tally.total) text.append("/").append(std::to_string(*tally.total));
  for (const auto& [status, count] : tally.perStatus) {
    text += "  ";
    text += status;
    text.append(" ").append(std::to_string(count));
  }
  const unsigned long long seconds = elapsedMs / 1000;
  char clock[64];
  std::snprintf(clock, sizeof clock, "  %llu:%02llu", seconds / 60, seconds % 60);
  text += clock;
  if (elapsedMs > 0) {
    char rate[64];
    std::snprintf(rate, sizeof rate, "  %.1f/s",
                  static_cast<double>(tally.done) * 1000.0 / static_cast<double>(elapsedMs));
    text += rate;
  }
  return text;
}

}  // namespace quorvane::cli
