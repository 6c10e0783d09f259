#include "tracking/detail_extraction.h"

#include <cstring>
#include <exception>
#include <locale>
#include <optional>

#include "text/gbk_text.h"
#include "tracking/paragraph_search.h"

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
//
// The two patterns as compilePatterns makes them do not go to the regex engine
// at all: a direct search for their prefix finds the same matches at a small
// part of the cost of one regex run per entry (tracking/paragraph_search.h).
// Any other pattern found in their place, as tests put there, still does.

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

struct Match {
  Search search;
  std::string_view text;
};

// How a pattern is searched for: the regex engine, or (for a pattern compiled
// by compilePatterns from one of the two page pattern texts) the direct search
// for its prefix, which finds the same matches in one pass.
class Searcher {
 public:
  Searcher(const boost::regex& pattern, const char* text, const char* prefix)
      : pattern_(pattern), prefix_(compiledFrom(pattern, text) ? prefix : nullptr) {}

  // True when the direct search serves, so every match starts with its prefix.
  bool searchesPrefix() const { return prefix_ != nullptr; }

  // The first match in [from, limit). Boost throws when a match grows too
  // complex or needs too much memory; such a search is abandoned.
  Match searchBefore(const char* from, const char* limit) const {
    if (pattern_.empty() || from >= limit) return {Search::NotFound, {}};
    if (prefix_) {
      const std::optional<std::string_view> found = searchParagraph(prefix_, from, limit);
      return found ? Match{Search::Found, *found} : Match{Search::NotFound, {}};
    }
    try {
      boost::cmatch match;
      if (!boost::regex_search(from, limit, match, pattern_)) return {Search::NotFound, {}};
      return {Search::Found, {match[0].first, static_cast<std::size_t>(match.length(0))}};
    } catch (const std::exception&) {
      return {Search::Abandoned, {}};
    }
  }

 private:
  static bool compiledFrom(const boost::regex& pattern, const char* text) {
    return !pattern.empty() && pattern.str() == text && pattern.flags() == (boost::regex::perl | boost::regex::icase) &&
           pattern.getloc() == std::locale::classic();
  }

  const boost::regex& pattern_;
  const char* prefix_;
};

// Every `from` in text after offset start replaced by `to`, which is no longer,
// as gbk::replaceAllIgnoringAsciiCase does with that part of the text; but in
// place, as a page may hold tens of thousands of entries.
void replaceAllInPlace(std::string& text, std::size_t start, std::string_view from, std::string_view to) {
  std::size_t write = start;
  std::size_t read = start;
  const auto keep = [&](std::size_t end) {  // moves the bytes from read to end down to write
    std::memmove(text.data() + write, text.data() + read, end - read);
    write += end - read;
  };
  // The search reads only from `read` on, which the writing never reaches.
  for (std::size_t hit; (hit = gbk::findIgnoringAsciiCase(text, from, read)) != gbk::npos;) {
    keep(hit);
    std::memcpy(text.data() + write, to.data(), to.size());
    write += to.size();
    read = hit + from.size();
  }
  keep(text.size());
  text.resize(write);
}

constexpr std::string_view kEntryStart = "middot;";
constexpr std::string_view kLineBreakTag = "<br /> ";
constexpr std::string_view kLineBreak = "\r\n";

// The entry, made readable, added to the end of text.
void appendCleanEntryText(std::string& text, std::string_view entry) {
  const std::size_t start = text.size();
  text.append(entry);
  replaceAllInPlace(text, start, kEntryStart, "");
  replaceAllInPlace(text, start, kLineBreakTag, kLineBreak);
  replaceAllInPlace(text, start, "</p>", kLineBreak);
}

bool holds(std::string_view text, char c) { return std::memchr(text.data(), c, text.size()) != nullptr; }

// The entry prefix is "middot;", the date, then the line break tag less its space.
constexpr std::string_view kEntryPrefixText = kEntryPrefix;
static_assert(kEntryPrefixText.starts_with(kEntryStart) &&
              kEntryPrefixText.ends_with(kLineBreakTag.substr(0, kLineBreakTag.size() - 1)));

// What appendCleanEntryText makes of an entry that the prefix search found,
// when its body (the text between the prefix and the closing tag) holds neither
// ';' nor '<', as on any ordinary page; false, adding nothing, for any other
// entry. Then "middot;" occurs only at the start, "<br /> " only where the
// prefix ends and only if the body starts with a space, and "</p>" only at the
// end, where it is replaced unless the body ends inside a double-byte character.
bool appendEntryWithPlainBody(std::string& text, std::string_view entry) {
  const std::size_t bodyStart = kEntryPrefixText.size();
  const std::size_t closing = entry.size() - kClosingTagLength;
  const std::string_view body = entry.substr(bodyStart, closing - bodyStart);
  if (holds(body, ';') || holds(body, '<')) return false;
  const std::size_t tagStart = bodyStart - (kLineBreakTag.size() - 1);
  text.append(entry.substr(kEntryStart.size(), tagStart - kEntryStart.size()));  // the date
  if (body.front() == ' ') {
    text.append(kLineBreak);
    text.append(body.substr(1));
  } else {
    text.append(entry.substr(tagStart));
    text.resize(text.size() - kClosingTagLength);
  }
  std::size_t pos = bodyStart;
  while (pos < closing) pos = gbk::nextCharacter(entry, pos);
  text.append(pos == closing ? kLineBreak : entry.substr(closing));
  return true;
}

}  // namespace

std::string cleanEntryText(std::string_view entry) {
  std::string text;
  appendCleanEntryText(text, entry);
  return text;
}

void showTrackingDetails(const TrackingPatterns& patterns, HistoryBox& box, std::string_view pageText) {
  const char* const begin = pageText.data();
  const char* const limit = begin + endOfLastClosingTag(pageText);

  const Match headline =
      Searcher(patterns.statusLinePattern, kStatusLinePatternText, kStatusLinePrefix).searchBefore(begin, limit);
  if (headline.search == Search::Abandoned) return;
  if (headline.search == Search::Found) {  // the pattern makes it at least 15 bytes long
    box.replaceText(
        headline.text.substr(kHeadlineMarkerLength, headline.text.size() - kHeadlineMarkerLength - kClosingTagLength));
  }

  // One append for all entries: a box may take time in proportion to its text
  // for every insert, and the text reads the same either way.
  const Searcher entries(patterns.entryPattern, kEntryPatternText, kEntryPrefix);
  std::string shown;
  shown.reserve(static_cast<std::size_t>(limit - begin));  // cleaning never lengthens an entry
  for (Match entry = entries.searchBefore(begin, limit); entry.search == Search::Found;
       entry = entries.searchBefore(entry.text.data() + entry.text.size(), limit)) {
    if (!entries.searchesPrefix() || !appendEntryWithPlainBody(shown, entry.text)) {
      appendCleanEntryText(shown, entry.text);
    }
  }
  if (!shown.empty()) box.appendText(shown);
}

}  // namespace quorvane
