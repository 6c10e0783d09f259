#pragma once
// The six status texts a query can end in (GBK), and the query modes.

#include <string_view>

namespace quorvane {

using StatusText = std::string_view;

namespace status {
inline constexpr StatusText kQueryFailed = "查询失败";
inline constexpr StatusText kNoInformation = "暂无物流信息";
inline constexpr StatusText kBadNumber = "单号不正确";
inline constexpr StatusText kAddressBarred = "您的IP地址被禁止访问";
inline constexpr StatusText kScanned = "已扫描";
inline constexpr StatusText kUnknownError = "未知错误";
}  // namespace status

// Any value other than Detail behaves as Summary.
enum QueryMode : int { Summary = 0, Detail = 1 };

}  // namespace quorvane
