#include "tracking/win/wininet_fetcher.h"

#include <algorithm>
#include <string>

#include "tracking/url_parts.h"

namespace quorvane {
namespace {

// Nothing is read from or written to the URL cache; every answer is fresh.
constexpr DWORD kRequestFlags = INTERNET_FLAG_RELOAD | INTERNET_FLAG_NO_CACHE_WRITE;

constexpr std::size_t kMaxReadBuffer = 102'400;
constexpr std::size_t kDefaultReadBuffer = 10'240;

void setTimeout(HINTERNET handle, DWORD option, DWORD milliseconds) {
  InternetSetOptionA(handle, option, &milliseconds, sizeof(milliseconds));
}

// The end of the whole fetch. WinINet knows only time-outs for each step, so
// each step's time-out is cut to the time left: no step runs past the end by
// more than the clock's granularity.
class FetchDeadline {
 public:
  explicit FetchDeadline(DWORD allowanceMs) : end_(GetTickCount64() + allowanceMs) {}

  // Never 0 while time is left: a time-out of 0 would mean none at all.
  DWORD remainingMs() const {
    const ULONGLONG now = GetTickCount64();
    return now >= end_ ? 0 : static_cast<DWORD>(end_ - now);
  }
  DWORD cut(DWORD timeoutMs) const { return std::min(timeoutMs, remainingMs()); }

 private:
  ULONGLONG end_;
};

void setTimeouts(HINTERNET handle, const FetchLimits& limits) {
  setTimeout(handle, INTERNET_OPTION_CONNECT_TIMEOUT, limits.connectTimeoutMs);
  setTimeout(handle, INTERNET_OPTION_SEND_TIMEOUT, limits.sendTimeoutMs);
  setTimeout(handle, INTERNET_OPTION_RECEIVE_TIMEOUT, limits.receiveTimeoutMs);
}

void setTimeoutsWithin(HINTERNET handle, const FetchLimits& limits, const FetchDeadline& deadline) {
  setTimeout(handle, INTERNET_OPTION_CONNECT_TIMEOUT, deadline.cut(limits.connectTimeoutMs));
  setTimeout(handle, INTERNET_OPTION_SEND_TIMEOUT, deadline.cut(limits.sendTimeoutMs));
  setTimeout(handle, INTERNET_OPTION_RECEIVE_TIMEOUT, deadline.cut(limits.receiveTimeoutMs));
}

// The announced length only sizes the read buffer.
std::size_t readBufferSize(HINTERNET request) {
  DWORD contentLength = 0;
  DWORD size = sizeof(contentLength);
  if (HttpQueryInfoA(request, HTTP_QUERY_CONTENT_LENGTH | HTTP_QUERY_FLAG_NUMBER, &contentLength, &size, nullptr) &&
      contentLength > 0) {
    return std::min<std::size_t>(static_cast<std::size_t>(contentLength) + 1, kMaxReadBuffer);
  }
  return kDefaultReadBuffer;
}

// Reads to the end, the first failed read, the size limit or the deadline;
// keeps what came.
std::string readBody(HINTERNET request, const FetchLimits& limits, const FetchDeadline& deadline) {
  const std::size_t maxBytes = limits.maxBodyBytes;
  std::string body;
  std::string buffer(readBufferSize(request), '\0');
  while (body.size() < maxBytes) {
    const DWORD timeLeft = deadline.cut(limits.receiveTimeoutMs);
    if (timeLeft == 0) break;
    setTimeout(request, INTERNET_OPTION_RECEIVE_TIMEOUT, timeLeft);
    // A synchronous read may wait until it has all it asked for, so it asks
    // only for what has arrived: the wait for that is bounded by the time-out.
    DWORD available = 0;
    if (!InternetQueryDataAvailable(request, &available, 0, 0) || available == 0) break;
    const DWORD wanted = static_cast<DWORD>(std::min({buffer.size(), maxBytes - body.size(), std::size_t{available}}));
    DWORD read = 0;
    if (!InternetReadFile(request, buffer.data(), wanted, &read) || read == 0) break;
    body.append(buffer.data(), read);
  }
  return body;
}

}  // namespace

bool WinInetFetcher::openSession() {
  if (session_) return true;
  // The machine's own proxy configuration stays in force.
  session_ = InternetHandle(InternetOpenA(kFetchAgent, INTERNET_OPEN_TYPE_PRECONFIG, nullptr, nullptr, 0));
  if (!session_) return false;
  char empty[] = "";
  InternetSetOptionA(session_.get(), INTERNET_OPTION_PROXY_USERNAME, empty, 0);
  InternetSetOptionA(session_.get(), INTERNET_OPTION_PROXY_PASSWORD, empty, 0);
  setTimeouts(session_.get(), limits_);
  return true;
}

std::string WinInetFetcher::fetchPage(std::string_view url) {
  if (url.empty()) return {};
  const FetchDeadline deadline(limits_.totalDeadlineMs);
  const std::optional<UrlParts> parts = splitHttpUrl(url);
  if (!parts || !openSession()) return {};

  InternetHandle connection(InternetConnectA(session_.get(), parts->host.c_str(), parts->port, nullptr, nullptr,
                                             INTERNET_SERVICE_HTTP, 0, 0));
  if (!connection) return {};
  InternetHandle request(
      HttpOpenRequestA(connection.get(), "GET", parts->object.c_str(), "HTTP/1.0", nullptr, nullptr, kRequestFlags, 0));
  if (!request) return {};
  setTimeoutsWithin(request.get(), limits_, deadline);
  if (deadline.remainingMs() == 0) return {};
  if (!HttpSendRequestA(request.get(), kFetchRequestHeaders, static_cast<DWORD>(-1), nullptr, 0)) return {};
  return readBody(request.get(), limits_, deadline);
}

}  // namespace quorvane
