// CRC-32 (the reflected 0xEDB88320 polynomial) that guards every journal header and record.
#pragma once

#include <cstdint>
#include <string_view>

namespace journal {

// The CRC of `bytes`, continuing from `previous` (the CRC of the bytes before them), so a
// file read in chunks gets the same value as one read whole. Start with 0.
std::uint32_t Crc32(std::string_view bytes, std::uint32_t previous = 0);

}  // namespace journal
