#pragma once
// What every fetch (libcurl natively, WinINet under Wine) must make of the
// stand-in service's fault modes, once the body is decoded and classified,
// and the URLs that must give an empty body without any request.

#include <string_view>

#include "tracking/status_text.h"

namespace quorvane::test {

struct FaultStatusCase {
  const char* fault;
  StatusText status;
};

inline const FaultStatusCase kFaultStatusCases[] = {
    {"status-500", status::kUnknownError},
    {"cut-in-char", status::kQueryFailed},
    {"not-utf8", status::kQueryFailed},
    {"no-gbk-char", status::kScanned},
    {"nul-before-marker", status::kUnknownError},
    {"empty-reply", status::kQueryFailed},
    {"cut-body", status::kScanned},  // the cut falls behind the marker
};

inline constexpr std::string_view kUrlsWithoutAnswer[] = {
    "http://127.0.0.1:1/wap_result.jsp",  // nothing listens there
    "",
    "not a url",
    "file:///etc/passwd",
};

}  // namespace quorvane::test
