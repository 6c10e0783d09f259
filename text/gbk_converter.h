#pragma once
// UTF-8 to GBK and back, one implementation per platform (glibc iconv
// natively, the Win32 code-page functions on Windows), both giving the same bytes.

#include <optional>
#include <string>
#include <string_view>

namespace quorvane {

// Converts a whole UTF-8 text to GBK. A well-formed character that GBK lacks
// becomes "?"; input that is not UTF-8, or ends inside a character, fails as a
// whole (nullopt): nothing of a half-converted page is kept.
std::optional<std::string> convertUtf8ToGbk(std::string_view utf8);

// Converts GBK text to UTF-8 for showing or saving it. A character that GBK
// does not define (a lead byte with a bad trail byte, a lead byte at the end, a
// user-defined code) becomes "?"; the characters around it are kept.
std::string convertGbkToUtf8(std::string_view gbk);

}  // namespace quorvane
