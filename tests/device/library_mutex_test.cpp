// The library mutex shared with other processes: time-outs while another process holds it,
// and recovery once that process dies.

#include <chrono>

#include "tests/device/device_fixture.h"
#include "tests/support/mutex_holder.h"

namespace testing_support {
namespace {

using std::chrono::milliseconds;
using std::chrono::steady_clock;

class LibraryMutexTest : public DeviceFixture {};

// Real time: the wait is the platform's own timed wait on a lock another process holds.
template <typename Call>
milliseconds Timed(Call&& call) {
  const auto start = steady_clock::now();
  call();
  return std::chrono::duration_cast<milliseconds>(steady_clock::now() - start);
}

TEST_F(LibraryMutexTest, OperationsTimeOutWhileAnotherProcessHoldsItAndRecoverAfterItDies) {
  AddCamera();
  Open();
  MutexHolder holder(kLibraryMutexName);
  ASSERT_TRUE(holder.started());

  uint32_t value = 0;
  const auto registerWait =
      Timed([&] { EXPECT_EQ(vxVidHidCls_RegRead(0x0000, 4, &value), E_FAIL); });
  EXPECT_GE(registerWait, milliseconds(1000));
  EXPECT_LT(registerWait, milliseconds(3000));

  uint8_t status = 0;
  const uint8_t readStatus[1] = {0x05};
  const auto spiReadWait =
      Timed([&] { EXPECT_EQ(vxVidHidCls_SPI_CmdRead(0, 1, 1, readStatus, 1, &status), E_FAIL); });
  EXPECT_GE(spiReadWait, milliseconds(100));
  EXPECT_LT(spiReadWait, milliseconds(1000));

  uint8_t chipGen = 0xFF;
  EXPECT_EQ(vxVidHidCls_GetDevChipGen(0, &chipGen), 0);
  EXPECT_TRUE(Traced("[vxVidHidCls_GetDevChipGen] mutex time-out "));

  EXPECT_TRUE(hid().FeatureLog().empty()) << "no traffic without the mutex";
  EXPECT_EQ(vxVidHidCls_GetDevCount(), 1) << "the session stays open";

  holder.Kill();
  EXPECT_EQ(vxVidHidCls_RegRead(0x0000, 4, &value), S_OK);
  EXPECT_EQ(value & 0xFF, 0xB2u);
}

TEST_F(LibraryMutexTest, DiscoveryThatCannotTakeTheMutexOpensNothing) {
  AddCamera();
  MutexHolder holder(kLibraryMutexName);
  ASSERT_TRUE(holder.started());
  EXPECT_EQ(vxVidHidCls_Init(), 0);
  EXPECT_EQ(vxVidHidCls_GetDevCount(), 0);
  EXPECT_TRUE(Traced("[hidreq_Init] mutex time-out "));
  EXPECT_EQ(mutexCounts().opened, mutexCounts().closed) << "no mutex handle left open";
  holder.Kill();
  EXPECT_EQ(vxVidHidCls_Init(), 1);
}

}  // namespace
}  // namespace testing_support
