#include "tracking/paragraph_search.h"

#include <cstring>

#include "text/gbk_text.h"

// The search scans for one byte of the prefix that is neither a letter (which
// has two cases) nor a digit place, with memchr, and checks the whole prefix
// around each hit; hits come in text order, so the first prefix found starts
// the leftmost match, provided a "</p>" follows it. When none follows, none
// follows any later prefix either, so the search ends there.

namespace quorvane {
namespace {

constexpr std::string_view kClosingTag = "</p>";

bool isAsciiLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
bool isAsciiDigit(char c) { return c >= '0' && c <= '9'; }

bool prefixAt(std::string_view prefix, const char* at) {
  for (std::size_t i = 0; i < prefix.size(); ++i) {
    const bool same =
        prefix[i] == kAnyDigit ? isAsciiDigit(at[i]) : gbk::asciiLower(at[i]) == gbk::asciiLower(prefix[i]);
    if (!same) return false;
  }
  return true;
}

bool closingTagAt(const char* at) {
  return at[0] == '<' && at[1] == '/' && gbk::asciiLower(at[2]) == 'p' && at[3] == '>';
}

// The start of the first "</p>" that lies wholly in [from, limit), or nullptr.
const char* findClosingTag(const char* from, const char* limit) {
  while (limit - from >= static_cast<std::ptrdiff_t>(kClosingTag.size())) {
    const auto* open = static_cast<const char*>(
        std::memchr(from, '<', static_cast<std::size_t>(limit - from) - kClosingTag.size() + 1));
    if (!open) return nullptr;
    if (closingTagAt(open)) return open;
    from = open + 1;
  }
  return nullptr;
}

// The place in prefix of the byte the scan looks for: the first one that
// stands for itself alone.
std::size_t anchorOf(std::string_view prefix) {
  for (std::size_t i = 0; i < prefix.size(); ++i) {
    if (prefix[i] != kAnyDigit && !isAsciiLetter(prefix[i])) return i;
  }
  return std::string_view::npos;
}

// Where the first whole prefix in [from, limit) starts, or nullptr.
const char* findPrefix(std::string_view prefix, const char* from, const char* limit) {
  if (limit - from < static_cast<std::ptrdiff_t>(prefix.size())) return nullptr;
  const std::size_t anchor = anchorOf(prefix);
  if (anchor == std::string_view::npos) {  // no byte to scan for: try every place
    for (const char* at = from; limit - at >= static_cast<std::ptrdiff_t>(prefix.size()); ++at) {
      if (prefixAt(prefix, at)) return at;
    }
    return nullptr;
  }
  const std::size_t after = prefix.size() - anchor;  // the anchor byte and what follows it
  for (const char* hit = from + anchor; limit - hit >= static_cast<std::ptrdiff_t>(after); ++hit) {
    hit = static_cast<const char*>(std::memchr(hit, prefix[anchor], static_cast<std::size_t>(limit - hit) - after + 1));
    if (!hit) return nullptr;
    if (prefixAt(prefix, hit - anchor)) return hit - anchor;
  }
  return nullptr;
}

}  // namespace

std::optional<std::string_view> searchParagraph(std::string_view prefix, const char* from, const char* limit) {
  if (from >= limit) return std::nullopt;
  const char* const start = findPrefix(prefix, from, limit);
  if (!start) return std::nullopt;
  // At least one byte between the prefix and the tag.
  const char* const bodyStart = start + prefix.size();
  if (limit - bodyStart < 1) return std::nullopt;
  const char* const closing = findClosingTag(bodyStart + 1, limit);
  if (!closing) return std::nullopt;
  return std::string_view(start, static_cast<std::size_t>(closing + kClosingTag.size() - start));
}

}  // namespace quorvane
