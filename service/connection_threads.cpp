#include "service/connection_threads.h"

#include <utility>

namespace quorvane::service {

void ConnectionThreads::adopt(std::thread thread, std::shared_ptr<std::atomic<bool>> done) {
  const std::lock_guard lock(mutex_);
  joinEnded();
  threads_.push_back({std::move(thread), std::move(done)});
}

void ConnectionThreads::joinAll() {
  const std::lock_guard lock(mutex_);
  for (Entry& entry : threads_) entry.thread.join();
  threads_.clear();
}

std::size_t ConnectionThreads::size() {
  const std::lock_guard lock(mutex_);
  joinEnded();
  return threads_.size();
}

void ConnectionThreads::joinEnded() {
  for (auto it = threads_.begin(); it != threads_.end();) {
    if (it->done->load()) {
      it->thread.join();  // it has finished its work: the join returns at once
      it = threads_.erase(it);
    } else {
      ++it;
    }
  }
}

}  // namespace quorvane::service
