#pragma once
// The two page patterns of a detail query have one shape: a fixed prefix, then
// "[\s\S]+?</p>". Searched for directly, without the regex engine, such a
// pattern costs one pass over the text instead of a regex run per match.

#include <optional>
#include <string_view>

namespace quorvane {

// A prefix is matched byte for byte, with ASCII letters in any case and each
// '*' standing for one ASCII digit.
inline constexpr char kAnyDigit = '*';

// The first match, in the text from `from` up to `limit`, of prefix followed by
// at least one byte of any kind and then the first "</p>" (in any case) after
// it: the same match as the regex engine finds for the pattern with Perl
// syntax, ASCII case folding and the classic locale. Nothing when there is none.
std::optional<std::string_view> searchParagraph(std::string_view prefix, const char* from, const char* limit);

}  // namespace quorvane
