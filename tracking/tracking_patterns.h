#pragma once
// The three compiled patterns that a query works with: the form of a tracking
// number, the headline paragraph and the dated entries of a detail page.

#include <boost/regex.hpp>

namespace quorvane {

struct TrackingPatterns {
  boost::regex numberPattern;  // each empty until compilePatterns
  boost::regex statusLinePattern;
  boost::regex entryPattern;
};

// The pattern texts, as GBK/ASCII bytes.
inline constexpr const char* kNumberPatternText = "[A-Za-z0-9]{5,}";
inline constexpr const char* kStatusLinePatternText = "#F21818;'>[\\s\\S]+?</p>";
inline constexpr const char* kEntryPatternText =
    "middot;[\\d]{4}-[\\d]{2}-[\\d]{2} [\\d]{2}:[\\d]{2}:[\\d]{2}<br />[\\s\\S]+?</p>";

// The last two again as the prefix that searchParagraph takes ('*' for one
// digit): each pattern is its prefix followed by "[\s\S]+?</p>".
inline constexpr const char* kStatusLinePrefix = "#F21818;'>";
inline constexpr const char* kEntryPrefix = "middot;****-**-** **:**:**<br />";

// Compiles the three patterns: Perl syntax, ASCII case folding only, bytes.
// A pattern that fails to compile stays empty; nothing is reported.
void compilePatterns(TrackingPatterns& patterns);

}  // namespace quorvane
