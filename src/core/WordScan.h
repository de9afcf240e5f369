// Looking at eight bytes of text at once: a 64-bit word whose bytes are the
// text's bytes in memory order, and masks with bit 7 set in each byte that
// matches.
#pragma once

#include <bit>
#include <cstdint>
#include <cstring>

namespace vantrel {

inline constexpr uint64_t kByteOnes = 0x0101010101010101ull;
inline constexpr uint64_t kByteHighs = 0x8080808080808080ull;

inline uint64_t LoadWord(const char* p) {
  uint64_t word;
  std::memcpy(&word, p, 8);
  return word;
}

// Bit 7 of each byte of word that equals b. Exact for the lowest matching
// byte, which is all a search needs; bytes above it may show false matches.
inline uint64_t BytesEqual(uint64_t word, unsigned char b) {
  const uint64_t x = word ^ (kByteOnes * b);
  return (x - kByteOnes) & ~x & kByteHighs;
}

static_assert(std::endian::native == std::endian::little, "bytes are counted from the low end");

// The index of the lowest byte marked in a non-zero mask from BytesEqual
// (bytes in memory order on a little-endian machine).
inline size_t FirstMarked(uint64_t mask) { return static_cast<size_t>(__builtin_ctzll(mask)) / 8; }

}  // namespace vantrel
