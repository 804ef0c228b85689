// Self-check of the flash table: the typing mistakes feature tests miss.

#include "sim/flash_parts.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace sim {
namespace {

// The capacity the part's name promises ("...-512Kbit", "... - 4Mbit"), in bytes.
uint32_t CapacityFromName(std::string_view name) {
  const bool kilo = name.ends_with("Kbit");
  size_t end = name.size() - 4;
  size_t begin = end;
  while (begin > 0 && name[begin - 1] >= '0' && name[begin - 1] <= '9') --begin;
  const uint32_t count =
      static_cast<uint32_t>(std::stoul(std::string(name.substr(begin, end - begin))));
  return count * (kilo ? 1024 : 1024 * 1024) / 8;
}

TEST(FlashPartsTest, TableHoldsTheTenPartsInLibraryOrder) {
  const auto parts = FlashParts();
  ASSERT_EQ(parts.size(), 10u);
  EXPECT_EQ(parts.front().name, "MX25L512E-512Kbit");
  EXPECT_EQ(parts[1].name, "MX25L5121E-512Kbit");
  EXPECT_EQ(parts[1].pageSize, 32u);
  EXPECT_EQ(parts[4].name, "MX25L3206E-32Mbit");
  EXPECT_EQ(parts[5].name, "Pm25LD512C-512Kbit");
  EXPECT_EQ(parts.back().name, "WinBond 20X80 - 8Mbit");
}

TEST(FlashPartsTest, EveryRowIsConsistent) {
  std::set<uint32_t> ids;
  std::set<std::string_view> names;
  for (const FlashPart& part : FlashParts()) {
    SCOPED_TRACE(std::string(part.name));
    const uint32_t id = (part.jedecId[0] << 16) | (part.jedecId[1] << 8) | part.jedecId[2];
    EXPECT_TRUE(ids.insert(id).second) << "duplicate JEDEC id";
    EXPECT_TRUE(names.insert(part.name).second) << "duplicate name";
    ASSERT_TRUE(part.name.ends_with("Kbit") || part.name.ends_with("Mbit"));
    EXPECT_EQ(part.capacity, CapacityFromName(part.name));
    EXPECT_TRUE(part.pageSize >= 32 && (part.pageSize & (part.pageSize - 1)) == 0);
    EXPECT_EQ(part.capacity % 4096, 0u) << "whole 4 KB sectors";
    // Macronix and Winbond ids end in log2 of the capacity; Pm's 7F is a continuation code.
    if (part.jedecId[0] != 0x7F) {
      EXPECT_EQ(part.capacity, 1u << part.jedecId[2]);
    }
    EXPECT_EQ(FindFlashPart(part.name), &part);
  }
  EXPECT_EQ(FindFlashPart("WinBond 20X40"), nullptr);
}

}  // namespace
}  // namespace sim
