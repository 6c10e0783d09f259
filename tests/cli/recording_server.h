#pragma once
// A loopback HTTP server for the tests that need to know when each request
// came, or to hold one without an answer: it notes the time of every request
// and answers it with an empty page (which a query classifies as failed),
// except the request it is told to hold, which stays unanswered until the
// server goes.

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
// <chrono> itself does not compile with a GBK execution character set (a unit
// suffix it spells has no GBK form); <thread> brings the clocks and durations.
#include <condition_variable>
#include <mutex>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

namespace quorvane::test {

class RecordingServer {
 public:
  using Clock = std::chrono::steady_clock;

  // holdRequest: the 1-based number of the request left unanswered; 0 for none.
  explicit RecordingServer(std::size_t holdRequest = 0) : holdRequest_(holdRequest) {
    listener_ = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t size = sizeof address;
    if (::bind(listener_, reinterpret_cast<sockaddr*>(&address), size) != 0 || ::listen(listener_, 16) != 0 ||
        ::getsockname(listener_, reinterpret_cast<sockaddr*>(&address), &size) != 0) {
      throw std::runtime_error("cannot listen on 127.0.0.1");
    }
    host_ = "127.0.0.1:" + std::to_string(ntohs(address.sin_port));
    thread_ = std::thread([this] { serve(); });
  }

  ~RecordingServer() {
    stopping_ = true;
    thread_.join();
    for (const int held : held_) ::close(held);
    ::close(listener_);
  }
  RecordingServer(const RecordingServer&) = delete;
  RecordingServer& operator=(const RecordingServer&) = delete;

  const std::string& host() const { return host_; }

  std::vector<Clock::time_point> requestTimes() {
    std::lock_guard lock(mutex_);
    return times_;
  }

  // Waits until count requests have come; false after ten seconds without.
  bool waitForRequests(std::size_t count) {
    std::unique_lock lock(mutex_);
    return arrived_.wait_for(lock, std::chrono::seconds(10), [&] { return times_.size() >= count; });
  }

 private:
  void serve() {
    while (!stopping_) {
      pollfd ready{listener_, POLLIN, 0};
      if (::poll(&ready, 1, 20) != 1) continue;
      const int connection = ::accept(listener_, nullptr, nullptr);
      if (connection < 0) continue;
      readHead(connection);
      std::size_t number = 0;
      {
        std::lock_guard lock(mutex_);
        times_.push_back(Clock::now());
        number = times_.size();
      }
      arrived_.notify_all();
      if (number == holdRequest_) {
        held_.push_back(connection);
        continue;
      }
      const std::string answer = "HTTP/1.0 200 OK\r\nContent-Length: 0\r\nConnection: close\r\n\r\n";
      ::send(connection, answer.data(), answer.size(), MSG_NOSIGNAL);
      ::close(connection);
    }
  }

  static void readHead(int connection) {
    std::string head;
    char buffer[1024];
    while (head.find("\r\n\r\n") == std::string::npos) {
      pollfd ready{connection, POLLIN, 0};
      if (::poll(&ready, 1, 5000) != 1) return;
      const ssize_t count = ::recv(connection, buffer, sizeof buffer, 0);
      if (count <= 0) return;
      head.append(buffer, static_cast<std::size_t>(count));
    }
  }

  const std::size_t holdRequest_;
  int listener_ = -1;
  std::string host_;
  std::thread thread_;
  std::atomic<bool> stopping_{false};
  std::mutex mutex_;
  std::condition_variable arrived_;
  std::vector<Clock::time_point> times_;
  std::vector<int> held_;  // touched by the serving thread alone until it has ended
};

}  // namespace quorvane::test
