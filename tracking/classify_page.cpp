#include "tracking/classify_page.h"

#include <array>
#include <utility>

#include "text/gbk_text.h"

namespace quorvane {
namespace {

// Order matters: a page holding two markers takes the status of the earlier row.
// The markers are written as their GBK bytes, as the status texts are.
constexpr std::array<std::pair<std::string_view, StatusText>, 4> kMarkers{{
    {"\xB4\xCB\xB5\xA5\xBA\xC5\xD4\xDD\xCE\xDE\xCE\xEF\xC1\xF7\xD0\xC5\xCF\xA2",  // 此单号暂无物流信息
     status::kNoInformation},
    {"\xB5\xA5\xBA\xC5\xB2\xBB\xD5\xFD\xC8\xB7", status::kBadNumber},               // 单号不正确
    {"\xC4\xFA\xB5\xC4IP\xB5\xD8\xD6\xB7\xB1\xBB\xBD\xFB\xD6\xB9\xB7\xC3\xCE\xCA",  // 您的IP地址被禁止访问
     status::kAddressBarred},
    {"\xB2\xE9\xD1\xAF\xBD\xE1\xB9\xFB\xC8\xE7\xCF\xC2\xCB\xF9\xCA\xBE", status::kScanned},  // 查询结果如下所示
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
