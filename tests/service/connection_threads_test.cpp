#include "service/connection_threads.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <memory>
#include <thread>

namespace quorvane::service {
namespace {

// Sets its flag when destroyed: what a connection's work holds (its socket) goes last.
struct Marker {
  explicit Marker(std::atomic<int>& released) : released(released) {}
  ~Marker() { ++released; }
  std::atomic<int>& released;
};

TEST(ConnectionThreads, JoinAllWaitsForEveryThreadAndWhatItsWorkHeld) {
  std::atomic<int> released{0};
  ConnectionThreads threads;
  for (int i = 0; i < 4; ++i) {
    // Move-only work, as a connection's socket is.
    threads.start(
        [held = std::make_unique<Marker>(released)] { std::this_thread::sleep_for(std::chrono::milliseconds(50)); });
  }
  threads.joinAll();
  EXPECT_EQ(released.load(), 4);
  EXPECT_EQ(threads.size(), 0u);
}

TEST(ConnectionThreads, EndedThreadsAreJoinedAsNewOnesStart) {
  std::atomic<bool> release{false};  // outlives the threads, which the destructor joins
  ConnectionThreads threads;
  for (int i = 0; i < 50; ++i) threads.start([] {});
  threads.start([&release] {
    while (!release.load()) std::this_thread::sleep_for(std::chrono::milliseconds(1));
  });
  // The 50 short threads end on their own; only the waiting one stays.
  for (int tries = 0; tries < 1000 && threads.size() > 1; ++tries) {
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  EXPECT_EQ(threads.size(), 1u);
  release = true;
}

}  // namespace
}  // namespace quorvane::service
