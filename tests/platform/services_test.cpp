#include "platform/services.h"

#include <gtest/gtest.h>

#include "sim/virtual_clock.h"

namespace {

TEST(ServicesTest, InstallKeepsMissingServicesAndResetRestoresTheSystems) {
  const platform::Services system = platform::CurrentServices();
  ASSERT_NE(system.clock, nullptr);
  ASSERT_NE(system.mutexes, nullptr);

  sim::VirtualClock clock(0xFFFFFFF0u);
  platform::Services mine;
  mine.clock = &clock;
  platform::InstallServices(mine);
  EXPECT_EQ(platform::CurrentServices().clock, &clock);
  EXPECT_EQ(platform::CurrentServices().mutexes, system.mutexes);
  platform::CurrentServices().clock->Sleep(0x20);
  EXPECT_EQ(clock.TickCount(), 0x10u) << "the tick count wraps at 2^32";

  platform::ResetServices();
  EXPECT_EQ(platform::CurrentServices().clock, system.clock);
}

}  // namespace
