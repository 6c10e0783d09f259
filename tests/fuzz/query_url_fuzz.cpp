// The query URL and the form check: the URL is printable ASCII, and neither
// the company code nor the number can add, cut or change a query key.

#include <cctype>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "fuzz/fuzz_support.h"
#include "tracking/query_url.h"
#include "tracking/tracking_number.h"
#include "tracking/tracking_patterns.h"

namespace {

using namespace quorvane;
using fuzz::compiledPatterns;
using fuzz::require;

int hexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

std::string percentDecode(std::string_view text) {
  std::string bytes;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '%') {
      bytes.push_back(text[i]);
      continue;
    }
    require(i + 2 < text.size() && hexValue(text[i + 1]) >= 0 && hexValue(text[i + 2]) >= 0);
    bytes.push_back(static_cast<char>(hexValue(text[i + 1]) * 16 + hexValue(text[i + 2])));
    i += 2;
  }
  return bytes;
}

std::vector<std::string_view> split(std::string_view text, char separator) {
  std::vector<std::string_view> parts;
  for (std::size_t at = 0;;) {
    const std::size_t next = text.find(separator, at);
    parts.push_back(text.substr(at, next - at));
    if (next == std::string_view::npos) return parts;
    at = next + 1;
  }
}

bool isPlainNumber(std::string_view number) {
  if (number.size() < 5) return false;
  for (const char c : number) {
    if (!std::isalnum(static_cast<unsigned char>(c))) return false;
  }
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 1) return 0;
  // The first byte splits the rest into company code and number.
  const std::string_view rest(reinterpret_cast<const char*>(data) + 1, size - 1);
  const std::size_t codeLength = data[0] % (rest.size() + 1);
  const std::string_view code = rest.substr(0, codeLength);
  const std::string_view number = rest.substr(codeLength);

  const std::string url = buildQueryUrl(code, number);
  for (const char c : url) require(c > 0x20 && c < 0x7F);
  const std::string prefix = "http://" + std::string(serviceHost()) + "/wap_result.jsp?";
  require(url.starts_with(prefix));
  const std::vector<std::string_view> pairs = split(std::string_view(url).substr(prefix.size()), '&');
  require(pairs.size() == 5);
  require(pairs[0] == "rand=20120517" && pairs[1].starts_with("id=") && pairs[2] == "fromWeb=null" &&
          pairs[3].empty() && pairs[4].starts_with("postid="));
  require(percentDecode(pairs[1].substr(3)) == code);
  require(percentDecode(pairs[4].substr(7)) == number);
  require(url.find('#') == std::string::npos);

  require(isValidTrackingNumber(compiledPatterns(), number) == isPlainNumber(number));
  return 0;
}
