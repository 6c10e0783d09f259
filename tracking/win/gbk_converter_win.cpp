#include <windows.h>

#include "tracking/gbk_converter.h"

namespace quorvane {
namespace {

constexpr UINT kGbkCodePage = 936;

bool isSurrogateLead(wchar_t c) { return c >= 0xD800 && c <= 0xDBFF; }
bool isPrivateUse(wchar_t c) { return c >= 0xE000 && c <= 0xF8FF; }

// Characters that GBK has no form for, as glibc's converter sees them, become
// "?" before the code-page conversion: a character beyond the BMP (one "?" for
// its surrogate pair, not two) and the private-use area, which code page 936
// maps to user-defined GBK codes but GBK itself does not define.
std::wstring replaceCharactersWithoutGbkForm(std::wstring text) {
  std::wstring result;
  result.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    const wchar_t c = text[i];
    if (isSurrogateLead(c)) {
      result.push_back(L'?');
      ++i;  // the trail half; the UTF-8 check guaranteed the pair is whole
    } else {
      result.push_back(isPrivateUse(c) ? L'?' : c);
    }
  }
  return result;
}

}  // namespace

std::optional<std::string> convertUtf8ToGbk(std::string_view utf8) {
  if (utf8.empty()) return std::string();
  const int utf8Size = static_cast<int>(utf8.size());
  const int wideSize = MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8.data(), utf8Size, nullptr, 0);
  if (wideSize <= 0) return std::nullopt;  // not UTF-8, or cut inside a character
  std::wstring wide(static_cast<std::size_t>(wideSize), L'\0');
  MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8.data(), utf8Size, wide.data(), wideSize);
  wide = replaceCharactersWithoutGbkForm(std::move(wide));

  // No best-fit guesses: what 936 lacks becomes the default character "?".
  const int wideLength = static_cast<int>(wide.size());
  const int gbkSize =
      WideCharToMultiByte(kGbkCodePage, WC_NO_BEST_FIT_CHARS, wide.data(), wideLength, nullptr, 0, "?", nullptr);
  if (gbkSize <= 0) return std::nullopt;
  std::string gbk(static_cast<std::size_t>(gbkSize), '\0');
  WideCharToMultiByte(kGbkCodePage, WC_NO_BEST_FIT_CHARS, wide.data(), wideLength, gbk.data(), gbkSize, "?", nullptr);
  return gbk;
}

}  // namespace quorvane
