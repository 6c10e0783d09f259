#pragma once
// Bars a client address that sends too many queries: more than `limit` within
// the last `window` (a sliding window, counted per address). Every query counts,
// barred ones included, so a client that keeps asking stays barred.

#include <chrono>
#include <deque>
#include <map>
#include <mutex>
#include <string>
#include <string_view>

namespace quorvane::service {

class BarWindow {
 public:
  using Clock = std::chrono::steady_clock;

  // limit 0 turns barring off.
  BarWindow(unsigned limit, std::chrono::seconds window);

  // Counts one query from address at time now; true when that query is barred.
  // Safe to call from several threads.
  bool recordQuery(std::string_view address, Clock::time_point now);

  // Addresses remembered now. One whose latest query has left the window is
  // forgotten (at the latest one window after that), so the record stays as
  // small as the set of recent clients.
  std::size_t addressCount();

 private:
  void forgetQuietAddresses(Clock::time_point now);

  unsigned limit_;
  std::chrono::seconds window_;
  std::mutex mutex_;
  // Times of the latest queries per address, oldest first. Only the newest
  // limit + 1 are kept: that many already decide that the limit is passed.
  std::map<std::string, std::deque<Clock::time_point>, std::less<>> recent_;
  Clock::time_point lastSweep_{};
};

}  // namespace quorvane::service
