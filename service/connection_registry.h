#pragma once
// Keeps count of the connection threads and of their open sockets, so that on
// shutdown every blocked read or write can be woken and every thread awaited.

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <optional>
#include <set>

namespace quorvane::service {

class ConnectionRegistry;

// One connection thread's place in the registry, from accept to the thread's end.
class ConnectionTicket {
 public:
  ConnectionTicket(ConnectionRegistry& registry, int socket);
  ConnectionTicket(ConnectionTicket&& other) noexcept;
  ConnectionTicket(const ConnectionTicket&) = delete;
  ConnectionTicket& operator=(const ConnectionTicket&) = delete;
  ConnectionTicket& operator=(ConnectionTicket&&) = delete;
  ~ConnectionTicket();

  // Call before closing the socket: the shutdown must not touch a closed (perhaps reused) descriptor.
  void forgetSocket();

 private:
  ConnectionRegistry* registry_;
  int socket_;
};

class ConnectionRegistry {
 public:
  // A ticket for a newly accepted socket; nullopt once the shutdown has begun.
  std::optional<ConnectionTicket> enter(int socket);

  // Shuts down every registered socket (its thread's blocked call then fails)
  // and waits up to timeout for all threads to end. False if some did not.
  bool shutdownAll(std::chrono::milliseconds timeout);

 private:
  friend class ConnectionTicket;
  void forget(int socket);
  void leave();

  std::mutex mutex_;
  std::condition_variable allLeft_;
  std::set<int> sockets_;
  int threads_ = 0;
  bool closing_ = false;
};

}  // namespace quorvane::service
