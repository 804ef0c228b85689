#pragma once
// The one-call conversion the setting commands use: setting text in, binary out.

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <span>
#include <string>

namespace settings {

// Converts the setting text at `textPath` into `destination` and writes its log into
// `logDirectory` (the running program's directory). Returns 1. `length` is the binary's length;
// it is 0 when nothing was written, and `reason` then says why (unreadable text, no table, a
// binary that does not fit its directory or `destination`).
int MakeSettingBin(const std::filesystem::path& textPath, const std::filesystem::path& logDirectory,
                   std::span<std::uint8_t> destination, std::size_t& length, std::string& reason);

}  // namespace settings
