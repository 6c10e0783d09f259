#include "text/gbk_text.h"

#include <cstdint>
#include <cstring>

namespace quorvane::gbk {
namespace {

bool equalAt(std::string_view text, std::size_t pos, std::string_view needle, bool ignoreCase) {
  if (text.size() - pos < needle.size()) return false;
  for (std::size_t i = 0; i < needle.size(); ++i) {
    const char a = text[pos + i];
    const char b = needle[i];
    if (ignoreCase ? asciiLower(a) != asciiLower(b) : a != b) return false;
  }
  return true;
}

constexpr bool isAsciiLetter(char c) { return asciiLower(c) >= 'a' && asciiLower(c) <= 'z'; }

// The first character boundary at or after target, walking on from the
// boundary pos; eight bytes below 0x80 at a time, as each is a character.
std::size_t boundaryFrom(std::string_view text, std::size_t pos, std::size_t target) {
  constexpr std::uint64_t kHighBits = 0x8080808080808080u;
  while (pos < target) {
    std::uint64_t eight = 0;
    if (target - pos >= sizeof(eight)) {
      std::memcpy(&eight, text.data() + pos, sizeof(eight));
      if ((eight & kHighBits) == 0) {
        pos += sizeof(eight);
        continue;
      }
    }
    pos = nextCharacter(text, pos);
  }
  return pos;
}

// Scans with memchr for one byte of the needle that has a single form (any
// byte when case counts, else the first that is not a letter), and checks the
// whole needle and the character boundary only where that byte occurs.
std::size_t findAtBoundary(std::string_view text, std::string_view needle, std::size_t from, bool ignoreCase) {
  if (needle.empty()) return from <= text.size() ? from : npos;
  std::size_t anchor = 0;
  while (ignoreCase && anchor < needle.size() && isAsciiLetter(needle[anchor])) ++anchor;
  if (anchor == needle.size()) {  // letters only: every character is a candidate
    for (std::size_t pos = from; pos < text.size(); pos = nextCharacter(text, pos)) {
      if (equalAt(text, pos, needle, ignoreCase)) return pos;
    }
    return npos;
  }
  std::size_t boundary = from;
  for (std::size_t scan = from + anchor; scan < text.size(); ++scan) {
    const void* hit = std::memchr(text.data() + scan, needle[anchor], text.size() - scan);
    if (!hit) return npos;
    scan = static_cast<std::size_t>(static_cast<const char*>(hit) - text.data());
    const std::size_t start = scan - anchor;
    boundary = boundaryFrom(text, boundary, start);
    if (boundary == start && equalAt(text, start, needle, ignoreCase)) return start;
  }
  return npos;
}

}  // namespace

std::size_t find(std::string_view text, std::string_view needle, std::size_t from) {
  return findAtBoundary(text, needle, from, false);
}

std::size_t findIgnoringAsciiCase(std::string_view text, std::string_view needle, std::size_t from) {
  return findAtBoundary(text, needle, from, true);
}

std::string replaceAllIgnoringAsciiCase(std::string_view text, std::string_view from, std::string_view to) {
  if (from.empty()) return std::string(text);
  std::string result;
  result.reserve(text.size());
  std::size_t copied = 0;
  for (std::size_t hit = findIgnoringAsciiCase(text, from); hit != npos;
       hit = findIgnoringAsciiCase(text, from, copied)) {
    result.append(text.substr(copied, hit - copied));
    result.append(to);
    copied = hit + from.size();
  }
  result.append(text.substr(copied));
  return result;
}

}  // namespace quorvane::gbk
