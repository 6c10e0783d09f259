#pragma once
// Owns the connection threads, so that every one of them is joined before the
// service's main returns: a thread still running then would use what main owns
// while it is destroyed. Threads that have ended are joined as new ones start,
// so their number stays that of the connections open.

#include <atomic>
#include <cstddef>
#include <list>
#include <memory>
#include <mutex>
#include <thread>
#include <utility>

namespace quorvane::service {

class ConnectionThreads {
 public:
  ConnectionThreads() = default;
  ConnectionThreads(const ConnectionThreads&) = delete;
  ConnectionThreads& operator=(const ConnectionThreads&) = delete;
  ~ConnectionThreads() { joinAll(); }

  // Runs work (a callable, perhaps move-only) on a thread of its own. Throws
  // std::system_error when no thread can be started.
  template <typename Work>
  void start(Work work) {
    auto done = std::make_shared<std::atomic<bool>>(false);
    std::thread thread([work = std::move(work), done]() mutable {
      {
        Work running = std::move(work);  // whatever the work holds goes before the thread counts as ended
        running();
      }
      done->store(true);
    });
    adopt(std::move(thread), std::move(done));
  }

  // Waits for every thread to end.
  void joinAll();

  // Threads started and not yet joined.
  std::size_t size();

 private:
  struct Entry {
    std::thread thread;
    std::shared_ptr<std::atomic<bool>> done;
  };
  void adopt(std::thread thread, std::shared_ptr<std::atomic<bool>> done);
  void joinEnded();

  std::mutex mutex_;
  std::list<Entry> threads_;
};

}  // namespace quorvane::service
