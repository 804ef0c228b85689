// The engine's session gate: open only with a camera, closed again when there is none.

#include <gtest/gtest.h>

#include "tests/transfer/transfer_fixture.h"
#include "transfer/engine.h"

namespace transfer_testing {
namespace {

using SessionGateTest = TransferTest;

TEST_F(SessionGateTest, WithoutACameraTheSessionStaysClosed) {
  EXPECT_EQ(transfer::OpenDeviceSession(), 0);
  EXPECT_EQ(vxVidHidCls_GetDevCount(), 0) << "the library was shut down again";
  uint32_t value = 0;
  EXPECT_EQ(transfer::ReadRegister(0x0000, 4, &value), 0);
}

TEST_F(SessionGateTest, OpenReopenAndClose) {
  AddDefaultCamera();
  AddDefaultCamera();
  ASSERT_EQ(transfer::OpenDeviceSession(), 1);
  EXPECT_EQ(vxVidHidCls_GetDevCount(), 2);
  ASSERT_EQ(transfer::OpenDeviceSession(), 1) << "an open session is closed and opened anew";
  EXPECT_EQ(vxVidHidCls_GetDevCount(), 2);
  uint32_t value = 0;
  EXPECT_EQ(transfer::ReadRegister(0x0000, 4, &value), 1);

  transfer::CloseDeviceSession();
  EXPECT_EQ(vxVidHidCls_GetDevCount(), 0);
  EXPECT_EQ(transfer::ReadRegister(0x0000, 4, &value), 0);
  transfer::CloseDeviceSession();  // closing a closed session is harmless
  EXPECT_EQ(transfer::ReadRegister(0x0000, 4, &value), 0);
}

}  // namespace
}  // namespace transfer_testing
