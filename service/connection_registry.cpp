#include "service/connection_registry.h"

#include <sys/socket.h>

#include <utility>

namespace quorvane::service {

ConnectionTicket::ConnectionTicket(ConnectionRegistry& registry, int socket) : registry_(&registry), socket_(socket) {}

ConnectionTicket::ConnectionTicket(ConnectionTicket&& other) noexcept
    : registry_(std::exchange(other.registry_, nullptr)), socket_(std::exchange(other.socket_, -1)) {}

ConnectionTicket::~ConnectionTicket() {
  if (!registry_) return;
  forgetSocket();
  registry_->leave();
}

void ConnectionTicket::forgetSocket() {
  if (registry_ && socket_ >= 0) registry_->forget(std::exchange(socket_, -1));
}

std::optional<ConnectionTicket> ConnectionRegistry::enter(int socket) {
  const std::lock_guard lock(mutex_);
  if (closing_) return std::nullopt;
  sockets_.insert(socket);
  ++threads_;
  return ConnectionTicket(*this, socket);
}

void ConnectionRegistry::forget(int socket) {
  const std::lock_guard lock(mutex_);
  sockets_.erase(socket);
}

void ConnectionRegistry::leave() {
  const std::lock_guard lock(mutex_);
  if (--threads_ == 0) allLeft_.notify_all();
}

bool ConnectionRegistry::shutdownAll(std::chrono::milliseconds timeout) {
  std::unique_lock lock(mutex_);
  closing_ = true;
  for (const int socket : sockets_) ::shutdown(socket, SHUT_RDWR);
  return allLeft_.wait_for(lock, timeout, [this] { return threads_ == 0; });
}

}  // namespace quorvane::service
