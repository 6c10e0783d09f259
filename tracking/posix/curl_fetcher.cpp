#include "tracking/posix/curl_fetcher.h"

#include <curl/curl.h>

#include <algorithm>
#include <string>
#include <string_view>

namespace quorvane {
namespace {

// WinINet follows redirects without a stated bound; this one only stops loops.
constexpr long kMaxRedirects = 20;

// A stalled transfer: less than one byte a second over the receive time-out,
// which is what a read time-out comes to for a client that never blocks on a read.
constexpr long kLowSpeedBytes = 1;

struct Transfer {
  std::string body;
  std::size_t maxBytes = 0;
  const std::function<bool()>* cancelled = nullptr;
};

// Keeps what fits under the cap; a short count makes libcurl end the transfer,
// as a connection that failed there would.
std::size_t appendBody(char* data, std::size_t size, std::size_t count, void* userData) {
  auto& transfer = *static_cast<Transfer*>(userData);
  const std::size_t bytes = size * count;
  const std::size_t room = transfer.maxBytes - transfer.body.size();
  const std::size_t kept = std::min(bytes, room);
  transfer.body.append(data, kept);
  return kept;
}

int checkCancelled(void* userData, curl_off_t, curl_off_t, curl_off_t, curl_off_t) {
  const auto& transfer = *static_cast<Transfer*>(userData);
  return (*transfer.cancelled && (*transfer.cancelled)()) ? 1 : 0;
}

// The shared request headers, one list entry per "Name: value" line.
curl_slist* requestHeaders() {
  curl_slist* list = nullptr;
  std::string_view rest = kFetchRequestHeaders;
  while (!rest.empty()) {
    const std::size_t end = rest.find("\r\n");
    const std::string line(rest.substr(0, end));
    if (!line.empty()) list = curl_slist_append(list, line.c_str());
    rest.remove_prefix(end == std::string_view::npos ? rest.size() : end + 2);
  }
  return list;
}

}  // namespace

struct CurlFetcher::Handle {
  Handle() : easy(curl_easy_init()), headers(requestHeaders()) {}
  ~Handle() {
    curl_slist_free_all(headers);
    if (easy) curl_easy_cleanup(easy);
  }
  Handle(const Handle&) = delete;
  Handle& operator=(const Handle&) = delete;

  CURL* easy;
  curl_slist* headers;
};

CurlFetcher::CurlFetcher(FetchLimits limits, std::function<bool()> cancelled)
    : limits_(limits), cancelled_(std::move(cancelled)) {}

CurlFetcher::~CurlFetcher() = default;

std::string CurlFetcher::fetchPage(std::string_view url) {
  if (url.empty()) return {};
  if (!handle_) {
    curl_global_init(CURL_GLOBAL_DEFAULT);  // counted by libcurl; never undone, as the WinINet session is kept
    handle_ = std::make_unique<Handle>();
  }
  CURL* const easy = handle_->easy;
  if (!easy) return {};

  Transfer transfer;
  transfer.maxBytes = limits_.maxBodyBytes;
  transfer.cancelled = &cancelled_;
  const std::string urlText(url);

  curl_easy_reset(easy);
  curl_easy_setopt(easy, CURLOPT_URL, urlText.c_str());
  curl_easy_setopt(easy, CURLOPT_PROTOCOLS_STR, "http");
  curl_easy_setopt(easy, CURLOPT_REDIR_PROTOCOLS_STR, "http");
  curl_easy_setopt(easy, CURLOPT_HTTP_VERSION, static_cast<long>(CURL_HTTP_VERSION_1_0));
  curl_easy_setopt(easy, CURLOPT_HTTPGET, 1L);
  curl_easy_setopt(easy, CURLOPT_USERAGENT, kFetchAgent);
  curl_easy_setopt(easy, CURLOPT_HTTPHEADER, handle_->headers);
  curl_easy_setopt(easy, CURLOPT_FOLLOWLOCATION, 1L);
  curl_easy_setopt(easy, CURLOPT_MAXREDIRS, kMaxRedirects);
  curl_easy_setopt(easy, CURLOPT_FORBID_REUSE, 1L);
  curl_easy_setopt(easy, CURLOPT_NOSIGNAL, 1L);
  curl_easy_setopt(easy, CURLOPT_CONNECTTIMEOUT_MS, static_cast<long>(limits_.connectTimeoutMs));
  // The total deadline; the body read before it passes is kept like any cut body.
  curl_easy_setopt(easy, CURLOPT_TIMEOUT_MS, static_cast<long>(limits_.totalDeadlineMs));
  curl_easy_setopt(easy, CURLOPT_LOW_SPEED_LIMIT, kLowSpeedBytes);
  curl_easy_setopt(easy, CURLOPT_LOW_SPEED_TIME,
                   static_cast<long>(std::max<std::uint32_t>(limits_.receiveTimeoutMs / 1000, 1)));
  curl_easy_setopt(easy, CURLOPT_WRITEFUNCTION, appendBody);
  curl_easy_setopt(easy, CURLOPT_WRITEDATA, &transfer);
  if (cancelled_) {
    curl_easy_setopt(easy, CURLOPT_XFERINFOFUNCTION, checkCancelled);
    curl_easy_setopt(easy, CURLOPT_XFERINFODATA, &transfer);
    curl_easy_setopt(easy, CURLOPT_NOPROGRESS, 0L);
  }
  // Whatever the outcome, the body so far is the answer: the caller classifies it.
  curl_easy_perform(easy);
  return std::move(transfer.body);
}

}  // namespace quorvane
