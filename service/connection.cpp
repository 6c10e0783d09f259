#include "service/connection.h"

#include <linux/sockios.h>
#include <sys/ioctl.h>

#include <array>
#include <boost/asio/write.hpp>
#include <boost/beast/core/flat_buffer.hpp>
#include <boost/beast/http/read.hpp>
#include <boost/beast/http/rfc7230.hpp>
#include <boost/beast/http/string_body.hpp>
#include <iostream>
#include <mutex>
#include <string>
#include <thread>

#include "service/access_log.h"
#include "service/delivery.h"
#include "service/huge_body.h"
#include "service/reply.h"
#include "service/timed_socket.h"

namespace quorvane::service {
namespace {

namespace asio = boost::asio;
namespace http = boost::beast::http;
using Request = http::request<http::string_body>;

constexpr std::chrono::seconds kIoTimeout{30};
constexpr std::chrono::seconds kHoldOpenLimit{120};
constexpr std::chrono::milliseconds kLateClosePause{20};
constexpr unsigned kMaxRequestsPerConnection = 10000;
constexpr std::uint32_t kHeaderLimit = 64 * 1024;
constexpr std::uint64_t kBodyLimit = 1024 * 1024;

void logLine(const std::string& line) {
  static std::mutex mutex;
  const std::lock_guard lock(mutex);
  std::cerr << line << '\n' << std::flush;
}

std::string requestLine(const Request& request) {
  const unsigned version = request.version();
  return std::string(request.method_string()) + " " + std::string(request.target()) + " HTTP/" +
         std::to_string(version / 10) + "." + std::to_string(version % 10);
}

// The request line and headers in the order and letter case received.
std::string headText(const Request& request) {
  std::string text = requestLine(request) + "\r\n";
  for (const auto& field : request) {
    text += std::string(field.name_string()) + ": " + std::string(field.value()) + "\r\n";
  }
  return text + "\r\n";
}

ConnectionWish wishOf(const Request& request) {
  return {request.keep_alive(), http::token_list(request[http::field::connection]).exists("close")};
}

bool writeAll(TimedSocket& stream, std::string_view bytes) {
  boost::system::error_code ec;
  asio::write(stream, asio::buffer(bytes.data(), bytes.size()), ec);
  return !ec;
}

bool writeInPieces(TimedSocket& stream, std::string_view bytes, std::size_t pieceSize,
                   std::chrono::milliseconds pause) {
  for (std::size_t at = 0; at < bytes.size(); at += pieceSize) {
    if (at > 0) std::this_thread::sleep_for(pause);
    if (!writeAll(stream, bytes.substr(at, pieceSize))) return false;
  }
  return true;
}

bool send(TimedSocket& stream, const Delivery& delivery) {
  if (delivery.pieceSize > 0 && delivery.headAtOnce) {
    return writeAll(stream, delivery.head) &&
           writeInPieces(stream, delivery.body, delivery.pieceSize, delivery.piecePause);
  }
  if (delivery.pieceSize > 0) {
    return writeInPieces(stream, delivery.head + delivery.body, delivery.pieceSize, delivery.piecePause);
  }
  if (delivery.hugeBody) {
    return writeAll(stream, delivery.head) &&
           streamHugeBody([&](std::string_view piece) { return writeAll(stream, piece); });
  }
  boost::system::error_code ec;
  const std::array buffers{asio::buffer(delivery.head), asio::buffer(delivery.body)};
  asio::write(stream, buffers, ec);
  return !ec;
}

// Reads and drops whatever the client still sends, until it closes or the limit passes.
void holdUntilClientCloses(TimedSocket& stream) {
  stream.setTimeout(kHoldOpenLimit);
  std::array<char, 4096> sink;
  boost::system::error_code ec;
  while (!ec) stream.read_some(asio::buffer(sink), ec);
}

// A reset right away would drop bytes not yet handed to the client: wait briefly until they are.
void waitForSendQueueToEmpty(asio::ip::tcp::socket& socket) {
  for (int tries = 0; tries < 100; ++tries) {
    int unsent = 0;
    if (::ioctl(socket.native_handle(), SIOCOUTQ, &unsent) != 0 || unsent == 0) return;
    std::this_thread::sleep_for(std::chrono::milliseconds(2));
  }
}

void endConnection(asio::ip::tcp::socket& socket, Ending ending) {
  boost::system::error_code ec;
  if (ending == Ending::kReset) {
    waitForSendQueueToEmpty(socket);
    socket.set_option(asio::socket_base::linger(true, 0), ec);  // close now sends RST
  } else {
    if (ending == Ending::kCloseLate) std::this_thread::sleep_for(kLateClosePause);
    socket.shutdown(asio::socket_base::shutdown_send, ec);
  }
  socket.close(ec);
}

}  // namespace

void serveConnection(asio::ip::tcp::socket& socket, ConnectionTicket& ticket, const ServiceContext& context) {
  boost::system::error_code ec;
  const auto remote = socket.remote_endpoint(ec);
  const std::string clientAddress = ec ? "?" : remote.address().to_string();
  TimedSocket stream(socket, kIoTimeout);
  boost::beast::flat_buffer buffer;
  Ending ending = Ending::kClose;

  for (unsigned served = 0; served < kMaxRequestsPerConnection; ++served) {
    http::request_parser<http::string_body> parser;
    parser.header_limit(kHeaderLimit);
    parser.body_limit(kBodyLimit);
    http::read(stream, buffer, parser, ec);
    if (ec) {  // the client closed, stalled, or sent no valid HTTP
      ending = Ending::kClose;
      break;
    }
    const Request& request = parser.get();
    const IncomingRequest incoming{clientAddress, std::string(request.target()), headText(request)};
    const Reply reply = chooseReply(context.data, context.bar, incoming, BarWindow::Clock::now());
    logLine(formatAccessLine(clientAddress, requestLine(request), reply));
    const Delivery delivery = planDelivery(reply, wishOf(request));
    ending = send(stream, delivery) ? delivery.ending : Ending::kClose;
    if (ending != Ending::kAwaitNextRequest) break;
  }

  if (ending == Ending::kHoldOpen) holdUntilClientCloses(stream);
  ticket.forgetSocket();
  endConnection(socket, ending);
}

}  // namespace quorvane::service
