#pragma once
// The two-table example every part of the converter is checked against.

#include <cstdint>
#include <string_view>
#include <vector>

namespace settings_test {

inline constexpr std::string_view kWorkedExampleText =
    "uint16 Gain[] = { 0x0102, 0x0304, };\r\nuint8 Mode[] = { 0x05, };\r\n";

inline const std::vector<std::uint8_t> kWorkedExampleBinary = {
    0x02,                                                  // two tables
    0x13, 0x00, 0x04, 0x00, 0x17, 0x00, 0x02, 0x04, 0x00,  // Gain
    0x1B, 0x00, 0x04, 0x00, 0x1F, 0x00, 0x01, 0x01, 0x00,  // Mode
    'G',  'a',  'i',  'n',  0x02, 0x01, 0x04, 0x03,        // "Gain", 0x0102, 0x0304
    'M',  'o',  'd',  'e',  0x05,                          // "Mode", 0x05
};

inline constexpr std::string_view kWorkedExampleLog =
    "uint16Gain\r\nElements are followed:\r\n0x0102\t0x0304\t\r\n\r\n"
    "uint8Mode\r\nElements are followed:\r\n0x05\t\r\n\r\n";

}  // namespace settings_test
