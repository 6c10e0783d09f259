#pragma once
// The one place where the Win32 layer converts text: GBK (code page 936,
// named explicitly, so the result is the same whatever the system's ANSI code
// page is) to and from UTF-16 for the wide API. The UTF-8 to GBK conversion of
// answer pages (text/gbk_converter.h) is implemented here too on Windows.

#include <string>
#include <string_view>

namespace quorvane {

std::wstring gbkToWide(std::string_view gbk);
// Characters that GBK lacks become "?"; no best-fit look-alikes.
std::string wideToGbk(std::wstring_view wide);

}  // namespace quorvane
