// CRC-32 eight bytes a step: recovering a 50 MB journal checks every byte, so the plain
// byte-a-step table would cost more than reading the file.
#include "journal/Crc32.h"

#include <array>

namespace journal {

namespace {

constexpr std::uint32_t kPolynomial = 0xEDB88320u;

using TTable = std::array<std::uint32_t, 256>;

// tables[0] is the classic byte table; tables[k] advances a byte that stands k bytes
// before the end of an 8-byte step.
constexpr std::array<TTable, 8> MakeTables() {
  std::array<TTable, 8> tables{};
  for (std::uint32_t byte = 0; byte < 256; ++byte) {
    std::uint32_t crc = byte;
    for (int bit = 0; bit < 8; ++bit) crc = (crc & 1) ? (crc >> 1) ^ kPolynomial : crc >> 1;
    tables[0][byte] = crc;
  }
  for (std::uint32_t byte = 0; byte < 256; ++byte) {
    for (std::size_t k = 1; k < 8; ++k) {
      const std::uint32_t before = tables[k - 1][byte];
      tables[k][byte] = (before >> 8) ^ tables[0][before & 0xFF];
    }
  }
  return tables;
}

constexpr std::array<TTable, 8> kTables = MakeTables();

std::uint32_t LittleEndian32(const unsigned char* p) {
  return std::uint32_t{p[0]} | std::uint32_t{p[1]} << 8 | std::uint32_t{p[2]} << 16 | std::uint32_t{p[3]} << 24;
}

}  // namespace

std::uint32_t Crc32(std::string_view bytes, std::uint32_t previous) {
  std::uint32_t crc = ~previous;
  const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
  std::size_t left = bytes.size();
  for (; left >= 8; left -= 8, p += 8) {
    const std::uint32_t low = crc ^ LittleEndian32(p);
    const std::uint32_t high = LittleEndian32(p + 4);
    crc = kTables[7][low & 0xFF] ^ kTables[6][(low >> 8) & 0xFF] ^ kTables[5][(low >> 16) & 0xFF] ^
          kTables[4][low >> 24] ^ kTables[3][high & 0xFF] ^ kTables[2][(high >> 8) & 0xFF] ^
          kTables[1][(high >> 16) & 0xFF] ^ kTables[0][high >> 24];
  }
  for (; left > 0; --left, ++p) crc = kTables[0][(crc ^ *p) & 0xFF] ^ (crc >> 8);
  return ~crc;
}

}  // namespace journal
