#pragma once
// USB string descriptors as the camera keeps them in flash: 62 bytes, byte 0 the length in
// bytes (2 + 2 × units), byte 1 the type 3, then up to 30 UTF-16LE units. The host side holds
// the text as UTF-8.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

inline constexpr size_t kStringDescriptorSize = 62;
inline constexpr size_t kStringDescriptorUnits = 30;
inline constexpr uint8_t kStringDescriptorType = 3;

// Encodes text into a descriptor. Up to 30 UTF-16 units are stored, with a terminating zero
// unit when fewer; a surrogate pair that would be cut in two is left out whole. Invalid UTF-8
// becomes U+FFFD. Returns the number of units stored.
size_t EncodeStringDescriptor(std::string_view utf8, uint8_t out[kStringDescriptorSize]);

// Decodes a descriptor's text: (length byte − 2) / 2 units, at most the 30 the descriptor holds,
// up to the first zero unit. A length byte of 0 or 1 gives an empty text; an unpaired surrogate
// becomes U+FFFD.
std::string DecodeStringDescriptor(const uint8_t descriptor[kStringDescriptorSize]);
