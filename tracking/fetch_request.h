#pragma once
// The request every fetch sends and the limits every fetch keeps, whichever
// HTTP client carries it: a plain HTTP/1.0 GET, redirects followed, nothing
// cached, with these headers.

#include <cstddef>
#include <cstdint>

namespace quorvane {

inline constexpr char kFetchAgent[] = "Mozilla/4.0 (compatible; MSIE 6.0; Windows NT 5.0)";

// "Connection: close" keeps the client from pooling the connection. Servers that
// answer an HTTP/1.0 request with an HTTP/1.1 status line and no Connection
// header make a client keep the socket for reuse, although the server closes it;
// the next request then goes out on a dead socket and fails to send.
inline constexpr char kFetchRequestHeaders[] = "Accept: */*\r\nConnection: close\r\n";

struct FetchLimits {
  std::uint32_t connectTimeoutMs = 10'000;
  std::uint32_t sendTimeoutMs = 30'000;
  std::uint32_t receiveTimeoutMs = 30'000;  // for each read
  std::uint32_t totalDeadlineMs = 60'000;   // the whole fetch, from the start of the request
  std::size_t maxBodyBytes = 16u << 20;     // a larger body is cut here, as if the connection failed
};

}  // namespace quorvane
