// Status reads and the status poll that every waiting flash step uses.

#include "device/spi_flash_commands.h"
#include "device/vxVidHidCls.h"
#include "platform/services.h"

std::optional<uint8_t> ReadFlashStatus(int dev) {
  const uint8_t command[1] = {kOpReadStatus};
  uint8_t status = 0;
  if (vxVidHidCls_SPI_CmdReadDev(dev, 0, 1, 1, command, 1, &status) < 0) return std::nullopt;
  return status;
}

bool PollFlashStatus(int dev, uint8_t mask, uint8_t want) {
  platform::Clock& clock = *platform::CurrentServices().clock;
  uint32_t start = clock.TickCount();
  uint32_t elapsed = 0;
  std::optional<uint8_t> status;
  for (;;) {
    const uint32_t now = clock.TickCount();
    if (now < start) {
      start = now;  // the tick count wrapped: count on from here, keeping what had passed
    } else {
      elapsed = now - start;
    }
    if (elapsed >= kStatusPollMs) return false;
    if (std::optional<uint8_t> read = ReadFlashStatus(dev)) status = read;
    if (status && (*status & mask) == want) return true;
  }
}

bool SendFlashBytes(int dev, const uint8_t* bytes, uint8_t length) {
  return vxVidHidCls_SPI_CmdWriteDev(dev, 0, 1, 0, nullptr, length, bytes) >= 0;
}
