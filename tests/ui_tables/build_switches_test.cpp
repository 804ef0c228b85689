// The generated header carries each option into its own switch.

#include "ui/build_switches.h"

#include <gtest/gtest.h>

namespace {

TEST(BuildSwitches, EachSwitchFollowsItsOwnOption) {
  EXPECT_EQ(ui::ENABLE_EEPROM_PANEL, static_cast<bool>(EXPECT_EEPROM_PANEL));
  EXPECT_EQ(ui::ENABLE_SETTING_DOWNLOAD, static_cast<bool>(EXPECT_SETTING_DOWNLOAD));
  EXPECT_EQ(ui::ENABLE_DUMP_UPLOAD, static_cast<bool>(EXPECT_DUMP_UPLOAD));
  EXPECT_EQ(ui::ENABLE_LEGACY_CHIP, static_cast<bool>(EXPECT_LEGACY_CHIP));
}

}  // namespace
