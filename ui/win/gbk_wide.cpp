#include "ui/win/gbk_wide.h"

#include <windows.h>

namespace quorvane {
namespace {
constexpr UINT kGbkCodePage = 936;
}

std::wstring gbkToWide(std::string_view gbk) {
  if (gbk.empty()) return {};
  const int size = static_cast<int>(gbk.size());
  const int wideSize = MultiByteToWideChar(kGbkCodePage, 0, gbk.data(), size, nullptr, 0);
  std::wstring wide(static_cast<std::size_t>(wideSize > 0 ? wideSize : 0), L'\0');
  if (wideSize > 0) MultiByteToWideChar(kGbkCodePage, 0, gbk.data(), size, wide.data(), wideSize);
  return wide;
}

std::string wideToGbk(std::wstring_view wide) {
  if (wide.empty()) return {};
  const int size = static_cast<int>(wide.size());
  const int gbkSize = WideCharToMultiByte(kGbkCodePage, 0, wide.data(), size, nullptr, 0, nullptr, nullptr);
  std::string gbk(static_cast<std::size_t>(gbkSize > 0 ? gbkSize : 0), '\0');
  if (gbkSize > 0) WideCharToMultiByte(kGbkCodePage, 0, wide.data(), size, gbk.data(), gbkSize, nullptr, nullptr);
  return gbk;
}

}  // namespace quorvane
