#pragma once
// GBK to UTF-8 cases that both converters (glibc iconv and the Win32 code-page
// functions) must turn into the same bytes. Hex escapes keep the table the same
// whatever the compiler's execution character set.

#include <string_view>

namespace quorvane::test {

struct GbkToUtf8Case {
  const char* name;
  std::string_view gbk;
  std::string_view utf8;
};

using namespace std::string_view_literals;

inline const GbkToUtf8Case kGbkToUtf8Cases[] = {
    {"empty", ""sv, ""sv},
    {"ascii with line end", "XJ1000000001  ok\r\n"sv, "XJ1000000001  ok\r\n"sv},
    {"status text", "\xD2\xD1\xC9\xA8\xC3\xE8"sv, "\xE5\xB7\xB2\xE6\x89\xAB\xE6\x8F\x8F"sv},  // 已扫描
    {"nul kept", "a\0b"sv, "a\0b"sv},
    {"middle dot", "\xA1\xA4"sv, "\xC2\xB7"sv},
    {"ideographic space", "\xA1\xA1"sv, "\xE3\x80\x80"sv},
    {"bad trail byte takes the pair",
     "\x81\x7F"
     "z"sv,
     "?z"sv},
    {"lead byte at the end", "ab\xB2"sv, "ab?"sv},
    {"user-defined code", "x\xAA\xA1y"sv, "x?y"sv},
    {"undefined between chinese", "\xB2\xE9\x81\x7F\xD1\xAF"sv, "\xE6\x9F\xA5?\xE8\xAF\xA2"sv},
};

}  // namespace quorvane::test
