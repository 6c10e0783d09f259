#pragma once
// The program's one state record: the company codes of the courier list, the
// three compiled patterns and the company code of the courier chosen now.

#include <memory>
#include <string>
#include <vector>

#include <boost/regex.hpp>

namespace quorvane {

struct AppState {
  std::vector<std::string> courierCodes;  // element i is the code of courier combo item i
  boost::regex numberPattern;             // empty until compilePatterns
  boost::regex statusLinePattern;
  boost::regex entryPattern;
  std::string currentCompanyCode;  // empty until a courier is chosen
};

// The pattern texts, as GBK/ASCII bytes.
inline constexpr const char* kNumberPatternText = "[A-Za-z0-9]{5,}";
inline constexpr const char* kStatusLinePatternText = "#F21818;'>[\\s\\S]+?</p>";
inline constexpr const char* kEntryPatternText =
    "middot;[\\d]{4}-[\\d]{2}-[\\d]{2} [\\d]{2}:[\\d]{2}:[\\d]{2}<br />[\\s\\S]+?</p>";

std::unique_ptr<AppState> createAppState();

// Compiles the three patterns: Perl syntax, ASCII case folding only, bytes.
// A pattern that fails to compile stays empty; nothing is reported.
void compilePatterns(AppState& state);

// The exit cleanup. Releases the state once; later calls find nothing to do.
void releaseAppState(std::unique_ptr<AppState>& state);

}  // namespace quorvane
