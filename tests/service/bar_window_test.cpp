#include "service/bar_window.h"

#include <gtest/gtest.h>

#include <chrono>
#include <string>

namespace quorvane::service {
namespace {

using std::chrono::seconds;

// A clock that only moves when told to.
struct FakeClock {
  BarWindow::Clock::time_point now{};
  BarWindow::Clock::time_point at(double secondsFromStart) const {
    return now +
           std::chrono::duration_cast<BarWindow::Clock::duration>(std::chrono::duration<double>(secondsFromStart));
  }
};

TEST(BarWindow, BarsTheQueryThatPassesTheLimitWithinTheSlidingWindow) {
  FakeClock clock;
  BarWindow bar(2, seconds(10));
  const struct {
    double time;
    bool barred;
  } queries[] = {
      {0, false},    {5, false}, {10, false},  // the query at 0 is exactly 10 s old and no longer counts
      {12, true},                              // 5, 10 and this one: the third within 10 s
      {14.9, true},                            // barred queries count too
      {15, true},                              // 5 has left; 10, 12, 14.9 and this one remain
      {22, true},                              // 10 and 12 have left; 14.9, 15 and this one
      {25.5, false},                           // only 22 and this one are younger than 10 s
      {26, true},
  };
  for (const auto& q : queries) EXPECT_EQ(bar.recordQuery("127.0.0.1", clock.at(q.time)), q.barred) << q.time;
}

TEST(BarWindow, CountsEachAddressOnItsOwn) {
  FakeClock clock;
  BarWindow bar(1, seconds(60));
  EXPECT_FALSE(bar.recordQuery("127.0.0.1", clock.at(0)));
  EXPECT_TRUE(bar.recordQuery("127.0.0.1", clock.at(1)));
  EXPECT_FALSE(bar.recordQuery("127.0.0.2", clock.at(1)));
}

TEST(BarWindow, AClientThatKeepsAskingStaysBarredUntilItPausesForAWholeWindow) {
  FakeClock clock;
  BarWindow bar(3, seconds(5));
  for (int i = 0; i < 3; ++i) EXPECT_FALSE(bar.recordQuery("a", clock.at(i * 0.01)));
  for (int i = 3; i < 1000; ++i) ASSERT_TRUE(bar.recordQuery("a", clock.at(i * 0.01))) << i;
  EXPECT_TRUE(bar.recordQuery("a", clock.at(9.98 + 4.9)));
  EXPECT_FALSE(bar.recordQuery("a", clock.at(9.98 + 4.9 + 5)));
}

TEST(BarWindow, ForgetsAddressesWhoseQueriesHaveAllLeftTheWindow) {
  FakeClock clock;
  BarWindow bar(1, seconds(10));
  for (int i = 0; i < 1000; ++i) bar.recordQuery("client-" + std::to_string(i), clock.at(0));
  EXPECT_TRUE(bar.recordQuery("client-7", clock.at(9)));  // still within the window: still counted
  EXPECT_EQ(bar.addressCount(), 1000u);
  EXPECT_FALSE(bar.recordQuery("client-1", clock.at(10)));
  EXPECT_TRUE(bar.recordQuery("client-7", clock.at(10))) << "its query at 9 s is still in the window";
  EXPECT_EQ(bar.addressCount(), 2u);
  bar.recordQuery("other", clock.at(30));
  EXPECT_EQ(bar.addressCount(), 1u);
}

TEST(BarWindow, LimitZeroNeverBars) {
  FakeClock clock;
  BarWindow bar(0, seconds(60));
  for (int i = 0; i < 100; ++i) ASSERT_FALSE(bar.recordQuery("127.0.0.1", clock.at(0)));
}

}  // namespace
}  // namespace quorvane::service
