#include "app/app_state.h"

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

std::unique_ptr<AppState> createAppState() { return std::make_unique<AppState>(); }

void compilePatterns(AppState& state) {
  compileOne(state.numberPattern, kNumberPatternText);
  compileOne(state.statusLinePattern, kStatusLinePatternText);
  compileOne(state.entryPattern, kEntryPatternText);
}

void releaseAppState(std::unique_ptr<AppState>& state) { state.reset(); }

}  // namespace quorvane
