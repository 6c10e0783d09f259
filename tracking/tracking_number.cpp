#include "tracking/tracking_number.h"

namespace quorvane {

bool isValidTrackingNumber(const TrackingPatterns& patterns, std::string_view number) {
  if (number.empty() || patterns.numberPattern.empty()) return false;
  boost::match_results<std::string_view::const_iterator> match;
  try {
    if (!boost::regex_search(number.begin(), number.end(), match, patterns.numberPattern)) return false;
  } catch (const std::exception&) {
    return false;
  }
  return match.position() == 0 && static_cast<std::size_t>(match.length()) == number.size();
}

}  // namespace quorvane
