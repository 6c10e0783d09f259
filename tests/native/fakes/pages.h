#pragma once
// Answer pages (UTF-8, as the service sends them) for tests of the actions.

#include <string>

namespace quorvane::test {

inline std::string utf8(const char8_t* text) { return reinterpret_cast<const char*>(text); }

inline const std::string kScannedPage = utf8(
    u8"<p>查询结果如下所示</p><p style='color:#F21818;'>已签收</p>"
    u8"<p>&middot;2026-12-01 08:00:00<br /> 已揽收</p>");
inline const std::string kNoInformationPage = utf8(u8"<p>此单号暂无物流信息</p>");

}  // namespace quorvane::test
