#include "text/win/code_page.h"

#include <windows.h>

#include <algorithm>

#include "text/gbk_converter.h"
#include "text/gbk_text.h"

namespace quorvane {
namespace {

constexpr UINT kGbkCodePage = 936;
// What code page 936 lacks becomes the default character "?", never a
// best-fit look-alike.
constexpr DWORD kToGbkFlags = WC_NO_BEST_FIT_CHARS;
constexpr char kDefaultCharacter[] = "?";

// Both return empty for empty input and for input the flags reject.
std::wstring toWide(UINT codePage, DWORD flags, std::string_view bytes) {
  if (bytes.empty()) return {};
  const int size = static_cast<int>(bytes.size());
  const int wideSize = MultiByteToWideChar(codePage, flags, bytes.data(), size, nullptr, 0);
  if (wideSize <= 0) return {};
  std::wstring wide(static_cast<std::size_t>(wideSize), L'\0');
  MultiByteToWideChar(codePage, flags, bytes.data(), size, wide.data(), wideSize);
  return wide;
}

std::string toGbk(std::wstring_view wide) {
  if (wide.empty()) return {};
  const int size = static_cast<int>(wide.size());
  const int gbkSize =
      WideCharToMultiByte(kGbkCodePage, kToGbkFlags, wide.data(), size, nullptr, 0, kDefaultCharacter, nullptr);
  if (gbkSize <= 0) return {};
  std::string gbk(static_cast<std::size_t>(gbkSize), '\0');
  WideCharToMultiByte(kGbkCodePage, kToGbkFlags, wide.data(), size, gbk.data(), gbkSize, kDefaultCharacter, nullptr);
  return gbk;
}

bool isSurrogateLead(wchar_t c) { return c >= 0xD800 && c <= 0xDBFF; }
bool isPrivateUse(wchar_t c) { return c >= 0xE000 && c <= 0xF8FF; }

// Characters that GBK has no form for, as glibc's converter sees them, become
// "?" before the code-page conversion: a character beyond the BMP (one "?" for
// its surrogate pair, not two) and the private-use area, which code page 936
// maps to user-defined GBK codes but GBK itself does not define.
std::wstring replaceCharactersWithoutGbkForm(std::wstring_view text) {
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

// GBK to UTF-16 with "?" for every character that glibc's GBK converter lacks
// too: one that code page 936 rejects, and its user-defined codes, which it maps
// into the private-use area. Whole texts convert in one call; only a text with
// such a character is taken apart.
std::wstring gbkToWideMarkingUndefined(std::string_view gbk) {
  std::wstring wide = toWide(kGbkCodePage, MB_ERR_INVALID_CHARS, gbk);
  if (!wide.empty() && std::none_of(wide.begin(), wide.end(), isPrivateUse)) return wide;
  wide.clear();
  for (std::size_t pos = 0; pos < gbk.size();) {
    const std::size_t next = gbk::nextCharacter(gbk, pos);
    const std::wstring character = toWide(kGbkCodePage, MB_ERR_INVALID_CHARS, gbk.substr(pos, next - pos));
    const bool defined = !character.empty() && !isPrivateUse(character.front());
    wide += defined ? character : L"?";
    pos = next;
  }
  return wide;
}

std::string wideToUtf8(std::wstring_view wide) {
  if (wide.empty()) return {};
  const int size = static_cast<int>(wide.size());
  const int utf8Size = WideCharToMultiByte(CP_UTF8, 0, wide.data(), size, nullptr, 0, nullptr, nullptr);
  if (utf8Size <= 0) return {};
  std::string utf8(static_cast<std::size_t>(utf8Size), '\0');
  WideCharToMultiByte(CP_UTF8, 0, wide.data(), size, utf8.data(), utf8Size, nullptr, nullptr);
  return utf8;
}

}  // namespace

std::wstring gbkToWide(std::string_view gbk) { return toWide(kGbkCodePage, 0, gbk); }

std::string wideToGbk(std::wstring_view wide) { return toGbk(wide); }

std::optional<std::string> convertUtf8ToGbk(std::string_view utf8) {
  if (utf8.empty()) return std::string();
  // MB_ERR_INVALID_CHARS rejects input that is not UTF-8 or is cut inside a character.
  const std::wstring wide = toWide(CP_UTF8, MB_ERR_INVALID_CHARS, utf8);
  if (wide.empty()) return std::nullopt;
  return toGbk(replaceCharactersWithoutGbkForm(wide));
}

std::string convertGbkToUtf8(std::string_view gbk) { return wideToUtf8(gbkToWideMarkingUndefined(gbk)); }

}  // namespace quorvane
