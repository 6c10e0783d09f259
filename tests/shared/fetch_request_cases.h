#pragma once
// The request every fetch sends, as the stand-in service receives it: each
// fetch (libcurl natively, WinINet under Wine) asks the service to echo the
// request line and headers of these queries and checks them against the table.

#include <algorithm>
#include <string>
#include <string_view>
#include <vector>

namespace quorvane::test {

// The company code that makes the service answer with the request it received.
inline constexpr std::string_view kEchoCompany = "fault-echo-request";

struct EchoedRequestCase {
  const char* name;
  std::string_view number;
  std::string_view requestTarget;  // as it must arrive
};

using namespace std::string_view_literals;

inline const EchoedRequestCase kEchoedRequestCases[] = {
    {"plain number", "XJ1000000001",
     "/wap_result.jsp?rand=20120517&id=fault-echo-request&fromWeb=null&&postid=XJ1000000001"},
    {"characters that would end or split the query", "AB#1 &x",
     "/wap_result.jsp?rand=20120517&id=fault-echo-request&fromWeb=null&&postid=AB%231%20%26x"},
    {"GBK bytes and a slash", "\xB2\xE9/1",
     "/wap_result.jsp?rand=20120517&id=fault-echo-request&fromWeb=null&&postid=%B2%E9%2F1"},
};

// Every header line of the request, in any order, and no other; HOST stands for host:port of the service.
inline const std::string_view kEchoedHeaders[] = {
    "Accept: */*",
    "Connection: close",
    "Host: HOST",
    "User-Agent: Mozilla/4.0 (compatible; MSIE 6.0; Windows NT 5.0)",
};

// What is wrong with an echoed request head; empty when it is the table's.
inline std::string echoedRequestProblems(std::string_view head, std::string_view requestTarget, std::string_view host) {
  std::string problems;
  const std::string requestLine = "GET " + std::string(requestTarget) + " HTTP/1.0";
  if (!head.ends_with("\r\n\r\n")) problems += "the head does not end with an empty line\n";
  std::vector<std::string> lines;
  for (std::string_view rest = head; !rest.empty();) {
    const std::size_t end = rest.find("\r\n");
    if (end == 0 || end == std::string_view::npos) break;
    lines.emplace_back(rest.substr(0, end));
    rest.remove_prefix(end + 2);
  }
  if (lines.empty() || lines.front() != requestLine) problems += "request line is not \"" + requestLine + "\"\n";
  std::vector<std::string> expected;
  for (const std::string_view header : kEchoedHeaders) {
    std::string line(header);
    if (const std::size_t at = line.find("HOST"); at != std::string::npos) line.replace(at, 4, host);
    expected.push_back(line);
  }
  std::vector<std::string> headers(lines.empty() ? lines.end() : lines.begin() + 1, lines.end());
  std::sort(expected.begin(), expected.end());
  std::sort(headers.begin(), headers.end());
  if (headers != expected) {
    problems += "headers differ; received:\n";
    for (const std::string& header : headers) problems += "  " + header + "\n";
  }
  return problems;
}

}  // namespace quorvane::test
