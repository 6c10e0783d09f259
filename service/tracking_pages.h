#pragma once
// The HTML pages of the service (UTF-8). Each answer page to a query holds
// exactly one of the marker sentences below, by which a client tells them apart.

#include <string>
#include <string_view>

#include "service/parcel_data.h"

namespace quorvane::service {

enum class PageKind { kKnown, kUnknown, kBadNumber, kBarred };

inline constexpr std::string_view kKnownMarker = "查询结果如下所示";
inline constexpr std::string_view kUnknownMarker = "此单号暂无物流信息";
inline constexpr std::string_view kBadNumberMarker = "单号不正确";
inline constexpr std::string_view kBarredMarker = "您的IP地址被禁止访问";

std::string_view markerOf(PageKind kind);

// The history of a known parcel: headline, then one paragraph per entry, newest first.
// courier may be nullptr (then only the number heads the result).
std::string renderKnownPage(const Parcel& parcel, const Courier* courier);

// The page of a kind that carries no history: unknown, bad number or barred.
std::string renderNoticePage(PageKind kind);

// A page without any marker, for answers that are not query results (404, 500, 302).
std::string renderPlainPage(std::string_view title, std::string_view message);

}  // namespace quorvane::service
