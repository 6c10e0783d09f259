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

void setTimeouts(HINTERNET handle, const FetchLimits& limits) {
  setTimeout(handle, INTERNET_OPTION_CONNECT_TIMEOUT, limits.connectTimeoutMs);
  setTimeout(handle, INTERNET_OPTION_SEND_TIMEOUT, limits.sendTimeoutMs);
  setTimeout(handle, INTERNET_OPTION_RECEIVE_TIMEOUT, limits.receiveTimeoutMs);
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

// Reads to the end, the first failed read, or the size limit; keeps what came.
std::string readBody(HINTERNET request, std::size_t maxBytes) {
  std::string body;
  std::string buffer(readBufferSize(request), '\0');
  while (body.size() < maxBytes) {
    const DWORD wanted = static_cast<DWORD>(std::min(buffer.size(), maxBytes - body.size()));
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
  const std::optional<UrlParts> parts = splitHttpUrl(url);
  if (!parts || !openSession()) return {};

  InternetHandle connection(InternetConnectA(session_.get(), parts->host.c_str(), parts->port, nullptr, nullptr,
                                             INTERNET_SERVICE_HTTP, 0, 0));
  if (!connection) return {};
  InternetHandle request(
      HttpOpenRequestA(connection.get(), "GET", parts->object.c_str(), "HTTP/1.0", nullptr, nullptr, kRequestFlags, 0));
  if (!request) return {};
  setTimeouts(request.get(), limits_);
  if (!HttpSendRequestA(request.get(), kFetchRequestHeaders, static_cast<DWORD>(-1), nullptr, 0)) return {};
  return readBody(request.get(), limits_.maxBodyBytes);
}

}  // namespace quorvane
