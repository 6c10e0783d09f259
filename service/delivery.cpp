#include "service/delivery.h"

#include "service/huge_body.h"

namespace quorvane::service {
namespace {

constexpr std::size_t kLongLengthExcess = 1000;
constexpr std::size_t kSlowPieceSize = 20;
constexpr std::chrono::milliseconds kSlowPiecePause{5};

std::string_view reasonPhrase(int status) {
  switch (status) {
    case 200:
      return "OK";
    case 302:
      return "Found";
    case 404:
      return "Not Found";
    case 500:
      return "Internal Server Error";
    default:
      return "Unknown";
  }
}

bool isUtf8LeadByte(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0xC0; }

std::size_t markerEnd(std::string_view body, std::string_view marker) {
  const std::size_t at = marker.empty() ? std::string_view::npos : body.find(marker);
  return at == std::string_view::npos ? std::string_view::npos : at + marker.size();
}

}  // namespace

std::string formatResponseHead(int status, std::string_view contentType, std::optional<std::size_t> contentLength,
                               std::string_view location, bool askedClose) {
  std::string head = "HTTP/1.1 " + std::to_string(status) + " " + std::string(reasonPhrase(status)) + "\r\n";
  head += "Content-Type: " + std::string(contentType) + "\r\n";
  if (contentLength) head += "Content-Length: " + std::to_string(*contentLength) + "\r\n";
  if (!location.empty()) head += "Location: " + std::string(location) + "\r\n";
  if (askedClose) head += "Connection: close\r\n";
  head += "\r\n";
  return head;
}

std::size_t cutAfterMarker(std::string_view body, std::string_view marker) {
  const std::size_t end = markerEnd(body, marker);
  return end == std::string_view::npos ? body.size() / 2 : end;
}

std::size_t cutInsideCharAfterMarker(std::string_view body, std::string_view marker) {
  const std::size_t end = markerEnd(body, marker);
  for (std::size_t i = end == std::string_view::npos ? 0 : end; i < body.size(); ++i) {
    if (isUtf8LeadByte(body[i])) return i + 1;
  }
  return cutAfterMarker(body, marker);
}

Delivery planDelivery(const Reply& reply, const ConnectionWish& wish) {
  const std::string_view body = reply.body;
  const auto head = [&](std::optional<std::size_t> contentLength) {
    return formatResponseHead(reply.status, reply.contentType, contentLength, reply.location, wish.askedClose);
  };
  const Ending asRequested = wish.keepAlive ? Ending::kAwaitNextRequest : Ending::kClose;

  const std::string fullBody(body);
  const auto cutBody = [&](std::size_t end) { return std::string(body.substr(0, end)); };
  if (!reply.fault) return {.head = head(body.size()), .body = fullBody, .ending = asRequested};

  switch (*reply.fault) {
    case Fault::kNoLength:
      return {.head = head(std::nullopt), .body = fullBody, .ending = Ending::kClose};
    case Fault::kShortLength:
      return {.head = head(body.size() / 2), .body = fullBody, .ending = Ending::kClose};
    case Fault::kLongLength:
      return {.head = head(body.size() + kLongLengthExcess), .body = fullBody, .ending = Ending::kClose};
    case Fault::kCutBody:
      return {.head = head(body.size()), .body = cutBody(cutAfterMarker(body, reply.marker)), .ending = Ending::kClose};
    case Fault::kCutInChar:
      return {.head = head(body.size()),
              .body = cutBody(cutInsideCharAfterMarker(body, reply.marker)),
              .ending = Ending::kClose};
    case Fault::kResetBody:
      return {.head = head(body.size()), .body = cutBody(cutAfterMarker(body, reply.marker)), .ending = Ending::kReset};
    case Fault::kNeverAnswer:
      return {.head = "", .body = "", .ending = Ending::kHoldOpen};
    case Fault::kEmptyReply:
      return {.head = "", .body = "", .ending = Ending::kClose};
    case Fault::kHugeBody:
      return {.head = head(kHugeBodySize), .body = "", .hugeBody = true, .ending = asRequested};
    case Fault::kSlowChunks:
      return {.head = head(body.size()),
              .body = fullBody,
              .pieceSize = kSlowPieceSize,
              .piecePause = kSlowPiecePause,
              .ending = asRequested};
    case Fault::kDrip:
      return {.head = head(body.size()),
              .body = fullBody,
              .pieceSize = 1,
              .piecePause = reply.dripPace,
              .headAtOnce = true,
              .ending = Ending::kClose};
    case Fault::kLateClose:
      return {.head = head(body.size()), .body = fullBody, .ending = wish.keepAlive ? asRequested : Ending::kCloseLate};
    default:
      // Faults of the content only: the reply is delivered as it is.
      return {.head = head(body.size()), .body = fullBody, .ending = asRequested};
  }
}

}  // namespace quorvane::service
