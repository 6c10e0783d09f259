#pragma once
// A connected TCP socket whose every read and write gives up after a timeout,
// so a stalled client cannot hold a connection thread for ever. It meets the
// synchronous stream requirements of Asio and Beast (read_some, write_some).

#include <poll.h>

#include <boost/asio/ip/tcp.hpp>
#include <boost/system/error_code.hpp>
#include <chrono>
#include <cstddef>

namespace quorvane::service {

class TimedSocket {
 public:
  TimedSocket(boost::asio::ip::tcp::socket& socket, std::chrono::milliseconds timeout)
      : socket_(socket), timeout_(timeout) {
    boost::system::error_code ignored;
    socket_.non_blocking(true, ignored);  // so that a call never blocks past the poll below
  }

  void setTimeout(std::chrono::milliseconds timeout) { timeout_ = timeout; }

  template <class MutableBuffers>
  std::size_t read_some(const MutableBuffers& buffers, boost::system::error_code& ec) {
    return retryWhenReady(POLLIN, ec, [&] { return socket_.read_some(buffers, ec); });
  }

  template <class ConstBuffers>
  std::size_t write_some(const ConstBuffers& buffers, boost::system::error_code& ec) {
    return retryWhenReady(POLLOUT, ec, [&] { return socket_.write_some(buffers, ec); });
  }

  template <class MutableBuffers>
  std::size_t read_some(const MutableBuffers& buffers) {
    boost::system::error_code ec;
    const std::size_t n = read_some(buffers, ec);
    if (ec) throw boost::system::system_error(ec);
    return n;
  }

  template <class ConstBuffers>
  std::size_t write_some(const ConstBuffers& buffers) {
    boost::system::error_code ec;
    const std::size_t n = write_some(buffers, ec);
    if (ec) throw boost::system::system_error(ec);
    return n;
  }

 private:
  // Tries the operation; while it would block, waits for readiness within the timeout.
  template <class Operation>
  std::size_t retryWhenReady(short events, boost::system::error_code& ec, Operation operation) {
    const auto deadline = std::chrono::steady_clock::now() + timeout_;
    for (;;) {
      const std::size_t n = operation();
      if (ec != boost::asio::error::would_block && ec != boost::asio::error::try_again) return n;
      const auto left =
          std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
      pollfd descriptor{socket_.native_handle(), events, 0};
      if (left.count() <= 0 || ::poll(&descriptor, 1, static_cast<int>(left.count())) <= 0) {
        ec = boost::asio::error::timed_out;
        return 0;
      }
    }
  }

  boost::asio::ip::tcp::socket& socket_;
  std::chrono::milliseconds timeout_;
};

}  // namespace quorvane::service
