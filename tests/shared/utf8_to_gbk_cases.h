#pragma once
// UTF-8 to GBK cases that both converters (glibc iconv and the Win32 code-page
// functions) must turn into the same bytes. Inputs and outputs are hex escapes
// so the table means the same whatever the compiler's execution character set.

#include <optional>
#include <string_view>

namespace quorvane::test {

struct Utf8ToGbkCase {
  const char* name;
  std::string_view utf8;
  std::optional<std::string_view> gbk;  // nullopt: the conversion fails as a whole
};

using namespace std::string_view_literals;

inline const Utf8ToGbkCase kUtf8ToGbkCases[] = {
    {"empty", ""sv, ""sv},
    {"ascii", "abc 123<p>"sv, "abc 123<p>"sv},
    {"chinese", "\xE6\x9F\xA5\xE8\xAF\xA2"sv, "\xB2\xE9\xD1\xAF"sv},  // 查询
    {"nul kept", "a\0b"sv, "a\0b"sv},
    {"middle dot", "\xC2\xB7"sv, "\xA1\xA4"sv},
    {"em dash", "\xE2\x80\x94"sv, "\xA1\xAA"sv},
    {"fullwidth tilde", "\xEF\xBD\x9E"sv, "\xA1\xAB"sv},
    {"ideographic space", "\xE3\x80\x80"sv, "\xA1\xA1"sv},
    {"euro sign", "\xE2\x82\xAC"sv, "\x80"sv},
    {"katakana middle dot has no form", "x\xE3\x83\xBBy"sv, "x?y"sv},
    {"wave dash has no form", "\xE3\x80\x9C"sv, "?"sv},
    {"no-break space has no form", "a\xC2\xA0z"sv, "a?z"sv},
    {"emoji is one question mark", "\xF0\x9F\x93\xA6!"sv, "?!"sv},
    {"byte order mark has no form", "\xEF\xBB\xBFok"sv, "?ok"sv},
    {"private use has no form", "\xEE\x80\x80"sv, "?"sv},
    {"unmappable between chinese", "\xE6\x9F\xA5\xF0\x9F\x98\x80\xE8\xAF\xA2"sv, "\xB2\xE9?\xD1\xAF"sv},
    {"lone FF", "ab\xFF"sv, std::nullopt},
    {"overlong NUL", "\xC0\x80"sv, std::nullopt},
    {"encoded surrogate", "\xED\xA0\x80"sv, std::nullopt},
    {"beyond U+10FFFF", "\xF4\x90\x80\x80"sv, std::nullopt},
    {"lone continuation byte", "a\x80"sv, std::nullopt},
    {"cut inside a character", "\xE6\x9F\xA5\xE8\xAF"sv, std::nullopt},
    {"GBK bytes are not UTF-8", "\xB2\xE9\xD1\xAF"sv, std::nullopt},
    {"invalid after unmappable", "\xF0\x9F\x93\xA6\xFF"sv, std::nullopt},
};

}  // namespace quorvane::test
