// The single-instance lock against another process and within this one.

#include "ui/single_instance.h"

#include <gtest/gtest.h>

#include "tests/support/isolated_mutexes.h"
#include "tests/support/mutex_holder.h"

namespace {

using ui::SingleInstanceLock;

TEST(SingleInstance, ACopyInAnotherProcessMakesThisOneTheSecond) {
  const std::string name = "TAVELIN_Firmware_Update_Tool.other-process";
  testing_support::MutexHolder firstCopy(name);
  ASSERT_TRUE(firstCopy.started());
  EXPECT_TRUE(
      SingleInstanceLock::Acquire(testing_support::IsolatedMutexes(), name).AnotherCopyRuns());
  // Once the first copy has ended, a new copy is the first again.
  firstCopy.Kill();
  EXPECT_FALSE(
      SingleInstanceLock::Acquire(testing_support::IsolatedMutexes(), name).AnotherCopyRuns());
}

TEST(SingleInstance, TheFirstCopyKeepsItsLockForAsLongAsItLives) {
  const std::string name = "TAVELIN_Firmware_Update_Tool.same-process";
  auto& mutexes = testing_support::IsolatedMutexes();
  {
    const SingleInstanceLock first = SingleInstanceLock::Acquire(mutexes, name);
    ASSERT_FALSE(first.AnotherCopyRuns());
    const SingleInstanceLock second = SingleInstanceLock::Acquire(mutexes, name);
    EXPECT_TRUE(second.AnotherCopyRuns());
    // The second copy's failed attempt does not release the first copy's lock.
    EXPECT_TRUE(SingleInstanceLock::Acquire(mutexes, name).AnotherCopyRuns());
  }
  EXPECT_FALSE(SingleInstanceLock::Acquire(mutexes, name).AnotherCopyRuns());
}

TEST(SingleInstance, TheNameIsPerSessionInTheRuntimeDirectoryElsePerUser) {
  EXPECT_EQ(ui::SingleInstanceMutexName({"/run/user/1000", "alice"}),
            "TAVELIN_Firmware_Update_Tool");
  EXPECT_EQ(ui::SingleInstanceMutexName({"", "alice"}), "TAVELIN_Firmware_Update_Tool.alice");
  EXPECT_EQ(ui::SingleInstanceMutexName({"", ""}), "TAVELIN_Firmware_Update_Tool");
}

}  // namespace
