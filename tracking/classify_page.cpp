#include "tracking/classify_page.h"

#include <array>
#include <utility>

#include "text/gbk_text.h"

namespace quorvane {
namespace {

// Order matters: a page holding two markers takes the status of the earlier row.
constexpr std::array<std::pair<std::string_view, StatusText>, 4> kMarkers{{
    {"此单号暂无物流信息", status::kNoInformation},
    {"单号不正确", status::kBadNumber},
    {"您的IP地址被禁止访问", status::kAddressBarred},
    {"查询结果如下所示", status::kScanned},
}};

}  // namespace

StatusText classifyPage(std::string_view pageText) {
  if (pageText.empty()) return status::kQueryFailed;
  for (const auto& [marker, status] : kMarkers) {
    if (gbk::contains(pageText, marker)) return status;
  }
  return status::kUnknownError;
}

}  // namespace quorvane
