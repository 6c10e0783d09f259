#include "cli/posix/locale_text.h"

#include <langinfo.h>
#include <strings.h>

#include <algorithm>

#include "text/gbk_converter.h"
#include "text/gbk_text.h"

namespace quorvane::cli {
namespace {

enum class LocaleEncoding { Utf8, GbkFamily, Other };

LocaleEncoding localeEncoding() {
  const char* codeset = nl_langinfo(CODESET);
  if (strcasecmp(codeset, "UTF-8") == 0) return LocaleEncoding::Utf8;
  for (const char* gbk : {"GBK", "GB18030", "GB2312", "CP936"}) {
    if (strcasecmp(codeset, gbk) == 0) return LocaleEncoding::GbkFamily;
  }
  return LocaleEncoding::Other;
}

bool isAscii(std::string_view text) {
  return std::none_of(text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) >= 0x80; });
}

}  // namespace

std::optional<std::string> localeTextToGbk(std::string_view text) {
  switch (localeEncoding()) {
    case LocaleEncoding::Utf8:
      return convertUtf8ToGbk(text);
    case LocaleEncoding::GbkFamily:
      return std::string(text);
    case LocaleEncoding::Other:
      break;
  }
  return isAscii(text) ? std::optional(std::string(text)) : std::nullopt;
}

std::string gbkTextForLocale(std::string_view gbk) {
  switch (localeEncoding()) {
    case LocaleEncoding::Utf8:
      return convertGbkToUtf8(gbk);
    case LocaleEncoding::GbkFamily:
      return std::string(gbk);
    case LocaleEncoding::Other:
      break;
  }
  std::string ascii;
  for (std::size_t pos = 0; pos < gbk.size(); pos = gbk::nextCharacter(gbk, pos)) {
    ascii += gbk::isLeadByte(gbk[pos]) ? '?' : gbk[pos];
  }
  return ascii;
}

}  // namespace quorvane::cli
