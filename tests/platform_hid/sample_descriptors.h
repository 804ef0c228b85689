#pragma once
// Report descriptors of devices people plug in, and the camera's own.

#include <cstdint>
#include <vector>

namespace testing_support {

// The boot keyboard: modifier bits, a reserved byte, five LEDs with three bits of padding, and
// a six-key array.
inline const std::vector<uint8_t> kKeyboardDescriptor = {
    0x05, 0x01,  // Usage Page (Generic Desktop)
    0x09, 0x06,  // Usage (Keyboard)
    0xA1, 0x01,  // Collection (Application)
    0x05, 0x07,  //   Usage Page (Keyboard/Keypad)
    0x19, 0xE0,  //   Usage Minimum (Left Control)
    0x29, 0xE7,  //   Usage Maximum (Right GUI)
    0x15, 0x00,  //   Logical Minimum (0)
    0x25, 0x01,  //   Logical Maximum (1)
    0x75, 0x01,  //   Report Size (1)
    0x95, 0x08,  //   Report Count (8)
    0x81, 0x02,  //   Input (Data, Variable, Absolute): modifiers
    0x95, 0x01,  //   Report Count (1)
    0x75, 0x08,  //   Report Size (8)
    0x81, 0x01,  //   Input (Constant): reserved
    0x95, 0x05,  //   Report Count (5)
    0x75, 0x01,  //   Report Size (1)
    0x05, 0x08,  //   Usage Page (LEDs)
    0x19, 0x01,  //   Usage Minimum (Num Lock)
    0x29, 0x05,  //   Usage Maximum (Kana)
    0x91, 0x02,  //   Output (Data, Variable, Absolute): LEDs
    0x95, 0x01,  //   Report Count (1)
    0x75, 0x03,  //   Report Size (3)
    0x91, 0x01,  //   Output (Constant): padding
    0x95, 0x06,  //   Report Count (6)
    0x75, 0x08,  //   Report Size (8)
    0x15, 0x00,  //   Logical Minimum (0)
    0x25, 0x65,  //   Logical Maximum (101)
    0x05, 0x07,  //   Usage Page (Keyboard/Keypad)
    0x19, 0x00,  //   Usage Minimum (0)
    0x29, 0x65,  //   Usage Maximum (101)
    0x81, 0x00,  //   Input (Data, Array): six keys
    0xC0,        // End Collection
};

// The boot mouse: three buttons, five bits of padding, relative X and Y.
inline const std::vector<uint8_t> kMouseDescriptor = {
    0x05, 0x01,  // Usage Page (Generic Desktop)
    0x09, 0x02,  // Usage (Mouse)
    0xA1, 0x01,  // Collection (Application)
    0x09, 0x01,  //   Usage (Pointer)
    0xA1, 0x00,  //   Collection (Physical)
    0x05, 0x09,  //     Usage Page (Button)
    0x19, 0x01,  //     Usage Minimum (1)
    0x29, 0x03,  //     Usage Maximum (3)
    0x15, 0x00,  //     Logical Minimum (0)
    0x25, 0x01,  //     Logical Maximum (1)
    0x95, 0x03,  //     Report Count (3)
    0x75, 0x01,  //     Report Size (1)
    0x81, 0x02,  //     Input (Data, Variable, Absolute)
    0x95, 0x01,  //     Report Count (1)
    0x75, 0x05,  //     Report Size (5)
    0x81, 0x01,  //     Input (Constant)
    0x05, 0x01,  //     Usage Page (Generic Desktop)
    0x09, 0x30,  //     Usage (X)
    0x09, 0x31,  //     Usage (Y)
    0x15, 0x81,  //     Logical Minimum (-127)
    0x25, 0x7F,  //     Logical Maximum (127)
    0x75, 0x08,  //     Report Size (8)
    0x95, 0x02,  //     Report Count (2)
    0x81, 0x06,  //     Input (Data, Variable, Relative)
    0xC0,        //   End Collection
    0xC0,        // End Collection
};

// A gamepad on report 1: sixteen buttons, four axes, a hat switch whose units are pushed and
// popped around it, and a rumble output on report 2.
inline const std::vector<uint8_t> kGamepadDescriptor = {
    0x05, 0x01,        // Usage Page (Generic Desktop)
    0x09, 0x05,        // Usage (Game Pad)
    0xA1, 0x01,        // Collection (Application)
    0x85, 0x01,        //   Report ID (1)
    0x05, 0x09,        //   Usage Page (Button)
    0x19, 0x01,        //   Usage Minimum (1)
    0x29, 0x10,        //   Usage Maximum (16)
    0x15, 0x00,        //   Logical Minimum (0)
    0x25, 0x01,        //   Logical Maximum (1)
    0x75, 0x01,        //   Report Size (1)
    0x95, 0x10,        //   Report Count (16)
    0x81, 0x02,        //   Input (Data, Variable, Absolute)
    0x05, 0x01,        //   Usage Page (Generic Desktop)
    0x09, 0x30,        //   Usage (X)
    0x09, 0x31,        //   Usage (Y)
    0x09, 0x32,        //   Usage (Z)
    0x09, 0x35,        //   Usage (Rz)
    0x15, 0x00,        //   Logical Minimum (0)
    0x26, 0xFF, 0x00,  //   Logical Maximum (255)
    0x75, 0x08,        //   Report Size (8)
    0x95, 0x04,        //   Report Count (4)
    0x81, 0x02,        //   Input (Data, Variable, Absolute)
    0xA4,              //   Push
    0x09, 0x39,        //     Usage (Hat Switch)
    0x25, 0x07,        //     Logical Maximum (7)
    0x46, 0x3B, 0x01,  //     Physical Maximum (315)
    0x65, 0x14,        //     Unit (Degrees)
    0x75, 0x04,        //     Report Size (4)
    0x95, 0x01,        //     Report Count (1)
    0x81, 0x42,        //     Input (Data, Variable, Absolute, Null State)
    0xB4,              //   Pop
    0x75, 0x04,        //   Report Size (4)
    0x95, 0x01,        //   Report Count (1)
    0x81, 0x03,        //   Input (Constant, Variable): padding
    0x85, 0x02,        //   Report ID (2)
    0x06, 0x00, 0xFF,  //   Usage Page (Vendor 0xFF00)
    0x09, 0x01,        //   Usage (1)
    0x75, 0x08,        //   Report Size (8)
    0x95, 0x02,        //   Report Count (2)
    0x91, 0x02,        //   Output (Data, Variable, Absolute): weak and strong motor
    0xC0,              // End Collection
};

// A vendor interface of a wireless receiver: two collections, short and long messages in
// both directions as byte arrays, and a feature report with a usage range.
inline const std::vector<uint8_t> kVendorReceiverDescriptor = {
    0x06, 0x00, 0xFF,  // Usage Page (Vendor 0xFF00)
    0x09, 0x01,        // Usage (1)
    0xA1, 0x01,        // Collection (Application)
    0x85, 0x10,        //   Report ID (0x10)
    0x75, 0x08,        //   Report Size (8)
    0x95, 0x06,        //   Report Count (6)
    0x15, 0x00,        //   Logical Minimum (0)
    0x26, 0xFF, 0x00,  //   Logical Maximum (255)
    0x09, 0x01,        //   Usage (1)
    0x81, 0x00,        //   Input (Data, Array)
    0x09, 0x01,        //   Usage (1)
    0x91, 0x00,        //   Output (Data, Array)
    0xC0,              // End Collection
    0x06, 0x00, 0xFF,  // Usage Page (Vendor 0xFF00)
    0x09, 0x02,        // Usage (2)
    0xA1, 0x01,        // Collection (Application)
    0x85, 0x11,        //   Report ID (0x11)
    0x75, 0x08,        //   Report Size (8)
    0x95, 0x13,        //   Report Count (19)
    0x15, 0x00,        //   Logical Minimum (0)
    0x26, 0xFF, 0x00,  //   Logical Maximum (255)
    0x09, 0x02,        //   Usage (2)
    0x81, 0x00,        //   Input (Data, Array)
    0x09, 0x02,        //   Usage (2)
    0x91, 0x00,        //   Output (Data, Array)
    0x85, 0x20,        //   Report ID (0x20)
    0x95, 0x03,        //   Report Count (3)
    0x19, 0x10,        //   Usage Minimum (0x10)
    0x29, 0x12,        //   Usage Maximum (0x12)
    0xB1, 0x02,        //   Feature (Data, Variable, Absolute)
    0xC0,              // End Collection
};

// The camera's vendor interface: feature reports 0x87 (4 bytes), 0x93 and 0x97 (40 each).
inline const std::vector<uint8_t> kCameraDescriptor = {
    0x06, 0x00, 0xFF,  // Usage Page (Vendor 0xFF00)
    0x09, 0x01,        // Usage (1)
    0xA1, 0x01,        // Collection (Application)
    0x15, 0x00,        //   Logical Minimum (0)
    0x26, 0xFF, 0x00,  //   Logical Maximum (255)
    0x75, 0x08,        //   Report Size (8)
    0x85, 0x87,        //   Report ID (0x87)
    0x95, 0x04,        //   Report Count (4)
    0x09, 0x01,        //   Usage (1)
    0xB1, 0x02,        //   Feature (Data, Variable, Absolute): command
    0x85, 0x93,        //   Report ID (0x93)
    0x95, 0x28,        //   Report Count (40)
    0x09, 0x02,        //   Usage (2)
    0xB1, 0x02,        //   Feature (Data, Variable, Absolute): data
    0x85, 0x97,        //   Report ID (0x97)
    0x95, 0x28,        //   Report Count (40)
    0x09, 0x03,        //   Usage (3)
    0xB1, 0x02,        //   Feature (Data, Variable, Absolute): extended command
    0xC0,              // End Collection
};

}  // namespace testing_support
