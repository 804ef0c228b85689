#pragma once
// The camera access library: one process-wide session with a TAVELIN camera, found over one
// transport, with register, I2C and SPI pass-through operations.
//
// Results come in two styles, fixed per operation: "bool" operations return int 1 for success
// and 0 for failure; "status" operations return S_OK (0) or E_FAIL (0x80004005), so callers
// test for a non-negative value. No operation throws or shows anything; the trace hook is the
// only diagnostic channel.
//
// Call vxVidHidCls_Init first and vxVidHidCls_GetDevCount next; a count of 0 is followed by
// vxVidHidCls_Exit. Init and exit run on one thread, never while another thread is inside an
// operation. "dev" is a slot index 0..23; operations without it act on slot 0.

#include <cstdint>

using VxStatus = int32_t;

#ifndef S_OK
inline constexpr VxStatus S_OK = 0;
#endif
#ifndef E_FAIL
inline constexpr VxStatus E_FAIL = static_cast<VxStatus>(0x80004005u);
#endif

// The transport of the open session.
enum class DeviceKind : uint8_t {
  None = 0,         // no session
  VideoClass = 1,   // UVC extension unit through the video stack
  Hid = 2,          // HID feature reports
  VendorVideo = 3,  // vendor "SYS" kernel-streaming property set
  BdaVendor = 4,    // vendor BDA kernel-streaming property set
};

inline constexpr int kMaxDevices = 24;

// Session.
int vxVidHidCls_Init();  // bool: 1 when a camera was found
void vxVidHidCls_Exit();
int32_t vxVidHidCls_GetDevCount();  // 0 while no session is open

// Live probe of the chip generation (2 for the chips that keep their boot configuration in SPI
// flash, else 0). bool: 0 only for an empty slot or a mutex time-out; an unplugged camera gives
// 1 with chipGen 0.
int vxVidHidCls_GetDevChipGen(int dev, uint8_t* chipGen);

// Registers. A read stores all four bytes of the camera's answer, whatever the length (1..4);
// the caller masks what it needs. On failure the output is not written.
VxStatus vxVidHidCls_RegReadDev(int dev, uint16_t address, uint8_t length, uint32_t* value);
VxStatus vxVidHidCls_RegRead(uint16_t address, uint8_t length, uint32_t* value);
VxStatus vxVidHidCls_RegWriteDev(int dev, uint16_t address, uint8_t length, const uint32_t* value);
VxStatus vxVidHidCls_RegWrite(uint16_t address, uint8_t length, const uint32_t* value);

// I2C. slave is the 8-bit write form (0xA0 for the EEPROM). A write carries no separate
// sub-address: an EEPROM's offset goes at the head of data. Lengths are at most 64 bytes.
VxStatus vxVidHidCls_I2C_Read(uint8_t slave, uint8_t subLength, const uint8_t* subAddress,
                              uint8_t dataLength, uint8_t* data);
VxStatus vxVidHidCls_I2C_WriteDev(int dev, uint8_t slave, uint8_t length, const uint8_t* data);

// SPI pass-through: one piece of an SPI transaction. endFlag 1 releases chip select after the
// piece, 0 keeps it asserted for the next piece. A read waits at most 100 ms for the library
// mutex, everything else 1000 ms.
VxStatus vxVidHidCls_SPI_CmdReadDev(int dev, uint8_t port, uint8_t endFlag, uint8_t commandLength,
                                    const uint8_t* command, uint8_t dataLength, uint8_t* data);
VxStatus vxVidHidCls_SPI_CmdRead(uint8_t port, uint8_t endFlag, uint8_t commandLength,
                                 const uint8_t* command, uint8_t dataLength, uint8_t* data);
VxStatus vxVidHidCls_SPI_CmdWriteDev(int dev, uint8_t port, uint8_t endFlag,
                                     uint8_t commandLength, const uint8_t* command,
                                     uint8_t dataLength, const uint8_t* data);
VxStatus vxVidHidCls_SPI_CmdWrite(uint8_t port, uint8_t endFlag, uint8_t commandLength,
                                  const uint8_t* command, uint8_t dataLength, const uint8_t* data);
