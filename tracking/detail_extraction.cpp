#include "tracking/detail_extraction.h"

#include <exception>

#include "text/gbk_text.h"

// Both patterns are "<fixed prefix>[\s\S]+?</p>". Run over a whole page, every
// place where the prefix matches makes the lazy part scan on to the next
// "</p>"; when there is none it scans to the end of the page and fails, so a
// page full of prefixes without closing tags costs time quadratic in its size,
// until Boost gives up with an exception.
//
// So each search stops at the end of the last "</p>" of the page (found byte by
// byte, any case, as the regex sees the bytes). No match can end after it,
// since every match ends with "</p>", so the matches are the same as over the
// whole page. And each search is linear: neither prefix contains "</p>" nor
// ends inside one, so a completed prefix either lies wholly before the last
// "</p>" (then the lazy part stops at the first "</p>" after it and the match
// succeeds, and the next search starts beyond it) or ends where the last
// "</p>" begins (then the scan is four bytes long). A failing start therefore
// costs at most the length of the prefix, and the text scanned by successful
// matches is never scanned again.

namespace quorvane {
namespace {

constexpr std::size_t kHeadlineMarkerLength = 10;  // "#F21818;'>"
constexpr std::size_t kClosingTagLength = 4;       // "</p>"

bool isClosingTagAt(std::string_view text, std::size_t pos) {
  return text[pos] == '<' && text[pos + 1] == '/' && (text[pos + 2] == 'p' || text[pos + 2] == 'P') &&
         text[pos + 3] == '>';
}

// Where the last "</p>" of the text ends; 0 if it has none.
std::size_t endOfLastClosingTag(std::string_view text) {
  for (std::size_t end = text.size(); end >= kClosingTagLength; --end) {
    if (isClosingTagAt(text, end - kClosingTagLength)) return end;
  }
  return 0;
}

enum class Search { Found, NotFound, Abandoned };

// The first match of pattern in [from, limit). Boost throws when a match grows
// too complex or needs too much memory; such a search is abandoned.
Search searchBefore(const boost::regex& pattern, const char* from, const char* limit, boost::cmatch& match) {
  if (pattern.empty() || from >= limit) return Search::NotFound;
  try {
    return boost::regex_search(from, limit, match, pattern) ? Search::Found : Search::NotFound;
  } catch (const std::exception&) {
    return Search::Abandoned;
  }
}

std::string_view matchedText(const boost::cmatch& match) {
  return {match[0].first, static_cast<std::size_t>(match.length(0))};
}

}  // namespace

std::string cleanEntryText(std::string_view entry) {
  std::string text = gbk::replaceAllIgnoringAsciiCase(entry, "middot;", "");
  text = gbk::replaceAllIgnoringAsciiCase(text, "<br /> ", "\r\n");
  return gbk::replaceAllIgnoringAsciiCase(text, "</p>", "\r\n");
}

void showTrackingDetails(const TrackingPatterns& patterns, HistoryBox& box, std::string_view pageText) {
  const char* const begin = pageText.data();
  const char* const limit = begin + endOfLastClosingTag(pageText);
  boost::cmatch match;

  switch (searchBefore(patterns.statusLinePattern, begin, limit, match)) {
    case Search::Found: {
      const std::string_view headline = matchedText(match);  // the pattern makes it at least 15 bytes long
      box.replaceText(
          headline.substr(kHeadlineMarkerLength, headline.size() - kHeadlineMarkerLength - kClosingTagLength));
      break;
    }
    case Search::NotFound:
      break;
    case Search::Abandoned:
      return;
  }

  for (const char* from = begin; searchBefore(patterns.entryPattern, from, limit, match) == Search::Found;
       from = match[0].second) {
    box.appendText(cleanEntryText(matchedText(match)));
  }
}

}  // namespace quorvane
