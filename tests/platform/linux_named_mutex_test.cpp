// Named mutexes: recursion, thread ownership, time-outs, and other processes.

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

#include "tests/support/isolated_mutexes.h"
#include "tests/support/mutex_holder.h"

namespace testing_support {
namespace {

using std::chrono::milliseconds;

std::unique_ptr<platform::NamedMutex> Open(const std::string& name, bool& existed) {
  return IsolatedMutexes().CreateOrOpen(name, existed);
}

TEST(LinuxNamedMutexTest, ReportsWhetherItExistedWhileAnyHandleIsOpen) {
  bool existed = true;
  auto first = Open("existence", existed);
  ASSERT_TRUE(first);
  EXPECT_FALSE(existed);
  auto second = Open("existence", existed);
  EXPECT_TRUE(existed);
  first.reset();
  second.reset();
  auto third = Open("existence", existed);
  EXPECT_FALSE(existed) << "gone once every handle is closed";
}

TEST(LinuxNamedMutexTest, OwnerMayWaitAgainAndMustReleaseAsOften) {
  bool existed = false;
  auto mutex = Open("recursion", existed);
  ASSERT_TRUE(mutex->Wait(0));
  ASSERT_TRUE(mutex->Wait(0));
  std::atomic<bool> otherGotIt{true};
  auto tryFromOtherThread = [&] { std::thread([&] { otherGotIt = mutex->Wait(20); }).join(); };
  EXPECT_TRUE(mutex->Release());
  tryFromOtherThread();
  EXPECT_FALSE(otherGotIt) << "still owned once";
  EXPECT_TRUE(mutex->Release());
  EXPECT_FALSE(mutex->Release()) << "not the owner any more";
  std::thread([&] {
    otherGotIt = mutex->Wait(20);
    if (otherGotIt) mutex->Release();
  }).join();
  EXPECT_TRUE(otherGotIt);
}

TEST(LinuxNamedMutexTest, WaiterWakesWhenOwnerThreadReleases) {
  bool existed = false;
  auto mutex = Open("handover", existed);
  ASSERT_TRUE(mutex->Wait(0));
  std::atomic<bool> got{false};
  std::thread waiter([&] {
    got = mutex->Wait(5000);
    if (got) mutex->Release();
  });
  std::this_thread::sleep_for(milliseconds(20));
  mutex->Release();
  waiter.join();
  EXPECT_TRUE(got);
}

TEST(LinuxNamedMutexTest, OtherProcessHoldsUntilItDies) {
  MutexHolder holder("crossprocess");
  ASSERT_TRUE(holder.started());
  bool existed = false;
  auto mutex = Open("crossprocess", existed);
  EXPECT_TRUE(existed) << "the other process has it open";
  EXPECT_FALSE(mutex->Wait(50));
  holder.Kill();
  EXPECT_TRUE(mutex->Wait(1000)) << "a dead owner does not lock others out";
  EXPECT_TRUE(mutex->Release());
}

}  // namespace
}  // namespace testing_support
