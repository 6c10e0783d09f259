#include "text/utf8.h"

namespace quorvane {

std::size_t utf8CharacterLength(std::string_view text, std::size_t pos) {
  auto byteAt = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
  const unsigned char lead = byteAt(pos);
  std::size_t length = 0;
  unsigned char secondMin = 0x80;
  unsigned char secondMax = 0xBF;
  if (lead < 0x80) return 1;
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3;
    if (lead == 0xE0) secondMin = 0xA0;  // overlong
    if (lead == 0xED) secondMax = 0x9F;  // surrogates
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4;
    if (lead == 0xF0) secondMin = 0x90;  // overlong
    if (lead == 0xF4) secondMax = 0x8F;  // beyond U+10FFFF
  } else {
    return 0;
  }
  if (text.size() - pos < length) return 0;
  if (byteAt(pos + 1) < secondMin || byteAt(pos + 1) > secondMax) return 0;
  for (std::size_t i = 2; i < length; ++i) {
    if ((byteAt(pos + i) & 0xC0) != 0x80) return 0;
  }
  return length;
}

}  // namespace quorvane
