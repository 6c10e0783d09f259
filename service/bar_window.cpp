#include "service/bar_window.h"

namespace quorvane::service {

BarWindow::BarWindow(unsigned limit, std::chrono::seconds window) : limit_(limit), window_(window) {}

bool BarWindow::recordQuery(std::string_view address, Clock::time_point now) {
  if (limit_ == 0) return false;
  const std::lock_guard lock(mutex_);
  forgetQuietAddresses(now);
  auto it = recent_.find(address);
  if (it == recent_.end()) it = recent_.emplace(std::string(address), std::deque<Clock::time_point>()).first;
  std::deque<Clock::time_point>& times = it->second;
  // A query exactly `window` old has left the window.
  while (!times.empty() && now - times.front() >= window_) times.pop_front();
  times.push_back(now);
  if (times.size() > limit_ + 1) times.pop_front();
  return times.size() > limit_;
}

std::size_t BarWindow::addressCount() {
  const std::lock_guard lock(mutex_);
  return recent_.size();
}

// Sweeps at most once per window, so the cost spreads over the queries of a window.
void BarWindow::forgetQuietAddresses(Clock::time_point now) {
  if (now - lastSweep_ < window_) return;
  lastSweep_ = now;
  std::erase_if(recent_, [&](const auto& entry) { return now - entry.second.back() >= window_; });
}

}  // namespace quorvane::service
