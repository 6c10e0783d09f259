#pragma once
// How a reply goes on the wire: the exact head bytes, the body bytes actually
// sent, and what becomes of the connection afterwards. The byte-level fault
// modes (wrong lengths, cut bodies, resets, silence) are decided here.

#include <chrono>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "service/reply.h"

namespace quorvane::service {

// What the request said about its connection.
struct ConnectionWish {
  bool keepAlive = false;   // HTTP/1.1 without "Connection: close", or HTTP/1.0 with "keep-alive"
  bool askedClose = false;  // the request carried "Connection: close"
};

enum class Ending {
  kAwaitNextRequest,  // keep the connection for another request
  kClose,             // close normally (FIN) after sending
  kCloseLate,         // close normally, but only after a pause
  kReset,             // abort the connection (RST) after sending
  kHoldOpen,          // send nothing more, wait for the client to close (bounded)
};

struct Delivery {
  std::string head;           // status line and headers with the blank line; empty: nothing is sent
  std::string body;           // body bytes to send after the head
  bool hugeBody = false;      // stream the huge-body filler instead of body
  std::size_t pieceSize = 0;  // 0 sends head and body at once; else in pieces of this size
  std::chrono::milliseconds piecePause{0};
  bool headAtOnce = false;  // with pieces: the head goes whole, only the body in pieces
  Ending ending = Ending::kClose;
};

// The status line is always HTTP/1.1. No Connection header is added, except
// "Connection: close" when the request asked for it.
std::string formatResponseHead(int status, std::string_view contentType, std::optional<std::size_t> contentLength,
                               std::string_view location, bool askedClose);

// The end of the marker in body: a character boundary. Half the body when the marker is missing.
std::size_t cutAfterMarker(std::string_view body, std::string_view marker);

// One byte into the first multi-byte UTF-8 character after the marker, so the cut splits it.
std::size_t cutInsideCharAfterMarker(std::string_view body, std::string_view marker);

Delivery planDelivery(const Reply& reply, const ConnectionWish& wish);

}  // namespace quorvane::service
