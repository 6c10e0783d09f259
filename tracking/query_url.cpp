#include "tracking/query_url.h"

namespace quorvane {
namespace {

bool isUnreserved(unsigned char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' || c == '.' ||
         c == '_' || c == '~';
}

}  // namespace

std::string_view serviceHost() { return QUORVANE_SERVICE_HOST; }

std::string percentEncode(std::string_view bytes) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string encoded;
  encoded.reserve(bytes.size());
  for (const char ch : bytes) {
    const auto c = static_cast<unsigned char>(ch);
    if (isUnreserved(c)) {
      encoded.push_back(ch);
    } else {
      encoded.push_back('%');
      encoded.push_back(kHex[c >> 4]);
      encoded.push_back(kHex[c & 0x0F]);
    }
  }
  return encoded;
}

std::string buildQueryUrl(std::string_view companyCode, std::string_view trackingNumber) {
  return buildQueryUrl(serviceHost(), companyCode, trackingNumber);
}

std::string buildQueryUrl(std::string_view host, std::string_view companyCode, std::string_view trackingNumber) {
  // "rand" and "fromWeb" are fixed texts the service expects; the doubled "&" is its own.
  std::string url = "http://";
  url += host;
  url += "/wap_result.jsp?rand=20120517&id=";
  url += percentEncode(companyCode);
  url += "&fromWeb=null&&postid=";
  url += percentEncode(trackingNumber);
  return url;
}

}  // namespace quorvane
