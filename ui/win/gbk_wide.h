#pragma once
// The one place where GBK text meets the wide (UTF-16) Win32 API. Code page 936
// is named explicitly, so the window shows the right Chinese whatever the
// system's ANSI code page is.

#include <string>
#include <string_view>

namespace quorvane {

std::wstring gbkToWide(std::string_view gbk);
// Characters that GBK lacks become "?".
std::string wideToGbk(std::wstring_view wide);

}  // namespace quorvane
