#pragma once
// Helpers for GBK (code page 936) text held as bytes. A lead byte (0x81 to
// 0xFE) starts a double-byte character together with the byte after it; every
// scan here steps over such a pair as a whole, so no hit starts on a trail byte.
// 0x80 (the euro sign) and 0xFF are characters of one byte, as in Windows' own
// code page 936 table.

#include <cstddef>
#include <string>
#include <string_view>

namespace quorvane::gbk {

inline constexpr std::size_t npos = std::string_view::npos;

// An ASCII letter in lower case; every other byte as it is (GBK bytes are never folded).
constexpr char asciiLower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

constexpr bool isLeadByte(char byte) {
  const auto value = static_cast<unsigned char>(byte);
  return value >= 0x81 && value <= 0xFE;
}

// Index of the character after the one that starts at pos (never past the end).
constexpr std::size_t nextCharacter(std::string_view text, std::size_t pos) {
  const std::size_t step = isLeadByte(text[pos]) ? 2 : 1;
  return pos + step <= text.size() ? pos + step : text.size();
}

// First occurrence of needle that starts on a character boundary at or after from.
std::size_t find(std::string_view text, std::string_view needle, std::size_t from = 0);

// Like find, with ASCII letters compared regardless of case.
std::size_t findIgnoringAsciiCase(std::string_view text, std::string_view needle, std::size_t from = 0);

inline bool contains(std::string_view text, std::string_view needle) { return find(text, needle) != npos; }

// Every occurrence of from replaced by to, left to right, without rescanning
// inserted text; ASCII letters compared regardless of case.
std::string replaceAllIgnoringAsciiCase(std::string_view text, std::string_view from, std::string_view to);

}  // namespace quorvane::gbk
