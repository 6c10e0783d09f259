#pragma once
// Text between the locale's encoding (of arguments and the terminal) and GBK.
// UTF-8 locales convert through the GBK converter; GBK-family locales take the
// bytes as they are; any other locale passes ASCII alone.

#include <optional>
#include <string>
#include <string_view>

namespace quorvane::cli {

// The locale's encoding as setlocale(LC_ALL, "") chose it; call that first.
// nullopt when the text is not valid in that encoding or cannot be told in GBK.
std::optional<std::string> localeTextToGbk(std::string_view text);

// GBK text for the terminal: what the locale's encoding lacks becomes "?".
std::string gbkTextForLocale(std::string_view gbk);

}  // namespace quorvane::cli
