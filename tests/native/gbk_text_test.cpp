// The GBK-aware search against a plain character-by-character walk.

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <string_view>

#include "text/gbk_text.h"

namespace quorvane {
namespace {

// Tries every character start from `from` on, comparing byte by byte.
std::size_t walkingFind(std::string_view text, std::string_view needle, std::size_t from, bool ignoreCase) {
  if (needle.empty()) return from <= text.size() ? from : gbk::npos;
  for (std::size_t pos = from; pos < text.size(); pos = gbk::nextCharacter(text, pos)) {
    if (text.size() - pos < needle.size()) continue;
    bool same = true;
    for (std::size_t i = 0; i < needle.size() && same; ++i) {
      same = ignoreCase ? gbk::asciiLower(text[pos + i]) == gbk::asciiLower(needle[i]) : text[pos + i] == needle[i];
    }
    if (same) return pos;
  }
  return gbk::npos;
}

// Random texts over a few bytes that matter: letters in both cases, the
// markup bytes, lead bytes whose trail may look like any of them, and long
// ASCII runs that the search may step over in blocks.
TEST(GbkText, FindAgreesWithACharacterWalk) {
  const std::string_view pieces[] = {"a",    "A",    "<",    "/",    "p",    ">",    ";",       "\xD6",
                                     "\xD0", "\x81", "\x80", "\xFF", "</p>", "</P>", "middot;", "abcdefghijklmnop",
                                     " "};
  const std::string_view needles[] = {"</p>", "<", "p", "P>", "middot;", "\xD6\xD0", "\xD0<", "a", "AbC", ""};
  std::mt19937 random(936);
  std::uniform_int_distribution<std::size_t> piece(0, std::size(pieces) - 1);
  std::uniform_int_distribution<int> length(0, 30);
  for (int round = 0; round < 2000; ++round) {
    std::string text;
    for (int count = length(random); count > 0; --count) text += pieces[piece(random)];
    for (const std::string_view needle : needles) {
      for (std::size_t from : {std::size_t{0}, std::size_t{1}, text.size() / 2, text.size()}) {
        SCOPED_TRACE(text + " / " + std::string(needle) + " from " + std::to_string(from));
        ASSERT_EQ(gbk::find(text, needle, from), walkingFind(text, needle, from, false));
        ASSERT_EQ(gbk::findIgnoringAsciiCase(text, needle, from), walkingFind(text, needle, from, true));
      }
    }
  }
}

}  // namespace
}  // namespace quorvane
