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
VxStatus vxVidHidCls_SPI_CmdWriteDev(int dev, uint8_t port, uint8_t endFlag, uint8_t commandLength,
                                     const uint8_t* command, uint8_t dataLength,
                                     const uint8_t* data);
VxStatus vxVidHidCls_SPI_CmdWrite(uint8_t port, uint8_t endFlag, uint8_t commandLength,
                                  const uint8_t* command, uint8_t dataLength, const uint8_t* data);

// SPI NOR flash on the camera's SPI bus, driven with standard flash opcodes through the
// pass-through. Every piece and status read is its own transaction; sequences are not atomic.
struct SpiFlashInfo {
  uint32_t capacity;  // bytes
  uint32_t pageSize;  // bytes: the unit in which callers program
  const char* name;   // the part's name, static storage
};

// Identifies the part by its JEDEC id; an id not in the table is retried for 1000 ms.
int vxVidHidCls_SPI_Flash_GetInfo(int dev, SpiFlashInfo* info);
// Each waits (at most 3000 ms) for the status the step should leave.
int vxVidHidCls_SPI_Flash_WriteEnable(int dev);
int vxVidHidCls_SPI_Flash_WriteDisable(int dev);
int vxVidHidCls_SPI_Flash_Protect(int dev);
int vxVidHidCls_SPI_Flash_Unprotect(int dev);  // ends write-enabled
int vxVidHidCls_SPI_Flash_SetProtect(int dev, int protect);
int vxVidHidCls_SPI_Flash_SetWriteEnable(int dev, int enable);
// Program within one page (address and length such that no byte crosses a page boundary).
int vxVidHidCls_SPI_Flash_PageProgram(int dev, uint32_t address, uint32_t length,
                                      const uint8_t* data);
int vxVidHidCls_SPI_Flash_Read(int dev, uint32_t address, uint32_t length, uint8_t* data);
// Erases the 4 KB sector that holds address; leaves the flash unprotected.
int vxVidHidCls_SPI_Flash_SectorErase(int dev, uint32_t address);
// Erases each sector when first entered and programs page by page; stops at the first failing
// step without saying so: the caller checks the result by reading back.
void vxVidHidCls_SPI_Flash_Write(int dev, uint32_t address, uint32_t length, const uint8_t* data);

#pragma pack(push, 1)

// The 27 setting bytes of the camera's user data, carried unchanged between flash and record.
struct DeviceSettings {
  uint8_t byte0;
  uint8_t byte1;
  uint16_t words[4];
  uint8_t bytes[17];
};

// Who the camera claims to be: the identity record read from and written to its user data.
// Strings are UTF-8, zero-terminated.
struct DeviceInfo {
  char chipName[260];  // "VX5290" (layout 1) or "VX52190" (layout 2)
  uint16_t vid;
  uint16_t pid;
  uint16_t fwVersion;
  char string1[260];  // vendor
  char string2[260];  // product
  char string3[260];  // serial number
  uint8_t uvcDefaults[30];
  uint32_t chipGen;      // 2 after a read
  uint32_t chipVariant;  // the layout, 1 or 2
  DeviceSettings settings;
};

#pragma pack(pop)

static_assert(sizeof(DeviceSettings) == 27);
static_assert(sizeof(DeviceInfo) == 1111);

// The firmware version of the camera in slot 0. For a generation-2 chip it comes from the user
// data in flash and is FF FF (with S_OK) when that cannot be read; older chips keep it behind a
// pointer chain in their EEPROM or flash boot record.
VxStatus vxVidHidCls_GetFwVersion(uint8_t* high, uint8_t* low);

// Read and write the identity record (generation-2 chips only). To write, read the record,
// change fields and pass it whole: one 4 KB flash sector is rewritten and verified.
int vxVidHidCls_GetDevInfo(int dev, DeviceInfo* info);
int vxVidHidCls_SetDevInfo(int dev, const DeviceInfo* info);
