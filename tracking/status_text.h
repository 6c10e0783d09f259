#pragma once
// The six status texts a query can end in (GBK), and the query modes.

#include <string_view>

namespace quorvane {

using StatusText = std::string_view;

namespace status {
// Written as their GBK bytes, so that they are the same whatever compiler and
// execution character set builds them (the fuzz build's clang has no GBK).
inline constexpr StatusText kQueryFailed = "\xB2\xE9\xD1\xAF\xCA\xA7\xB0\xDC";                    // 查询失败
inline constexpr StatusText kNoInformation = "\xD4\xDD\xCE\xDE\xCE\xEF\xC1\xF7\xD0\xC5\xCF\xA2";  // 暂无物流信息
inline constexpr StatusText kBadNumber = "\xB5\xA5\xBA\xC5\xB2\xBB\xD5\xFD\xC8\xB7";              // 单号不正确
inline constexpr StatusText kAddressBarred =
    "\xC4\xFA\xB5\xC4IP\xB5\xD8\xD6\xB7\xB1\xBB\xBD\xFB\xD6\xB9\xB7\xC3\xCE\xCA";  // 您的IP地址被禁止访问
inline constexpr StatusText kScanned = "\xD2\xD1\xC9\xA8\xC3\xE8";                 // 已扫描
inline constexpr StatusText kUnknownError = "\xCE\xB4\xD6\xAA\xB4\xED\xCE\xF3";    // 未知错误
}  // namespace status

// Any value other than Detail behaves as Summary.
enum QueryMode : int { Summary = 0, Detail = 1 };

}  // namespace quorvane
