#pragma once

#include <string>
#include <string_view>

#include "service/reply.h"

namespace quorvane::service {

// One log line (without the newline) for a served request, e.g.
//   127.0.0.1 "GET /wap_result.jsp?... HTTP/1.0" 200 known id=xjkd postid=XJ1000000001 fault=-
// Query values are shown percent-encoded, so the line stays one printable line.
std::string formatAccessLine(std::string_view clientAddress, std::string_view requestLine, const Reply& reply);

}  // namespace quorvane::service
