#include "text/gbk_text.h"

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

std::size_t findAtBoundary(std::string_view text, std::string_view needle, std::size_t from, bool ignoreCase) {
  if (needle.empty()) return from <= text.size() ? from : npos;
  for (std::size_t pos = from; pos < text.size(); pos = nextCharacter(text, pos)) {
    if (equalAt(text, pos, needle, ignoreCase)) return pos;
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
