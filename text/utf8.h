#pragma once

#include <cstddef>
#include <string_view>

namespace quorvane {

// Length of the well-formed UTF-8 character that starts at pos, or 0 when the
// bytes there are not one (bad lead, bad continuation, overlong form, surrogate,
// beyond U+10FFFF, or cut off by the end of the text).
std::size_t utf8CharacterLength(std::string_view text, std::size_t pos);

}  // namespace quorvane
