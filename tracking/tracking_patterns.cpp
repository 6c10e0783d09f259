#include "tracking/tracking_patterns.h"

#include <locale>

namespace quorvane {
namespace {

void compileOne(boost::regex& pattern, const char* text) {
  try {
    // The classic locale keeps \d, \s and case folding to ASCII whatever the
    // user's locale, so GBK bytes are never folded or classed as letters.
    pattern.imbue(std::locale::classic());
    pattern.assign(text, boost::regex::perl | boost::regex::icase);
  } catch (const boost::regex_error&) {
    pattern = boost::regex();
  }
}

}  // namespace

void compilePatterns(TrackingPatterns& patterns) {
  compileOne(patterns.numberPattern, kNumberPatternText);
  compileOne(patterns.statusLinePattern, kStatusLinePatternText);
  compileOne(patterns.entryPattern, kEntryPatternText);
}

}  // namespace quorvane
