#include "core/ByteScan.h"

#if defined(__x86_64__) || defined(__i386__)
#include <emmintrin.h>
#define VANTREL_SSE2_KERNELS 1
#endif

namespace vantrel {

namespace {

bool IsUpper(char c) { return c >= 'A' && c <= 'Z'; }

#if defined(VANTREL_SSE2_KERNELS)

// Every 64-bit processor has SSE2; the 32-bit program asks, since Windows
// XP also runs on processors without it.
bool HasSse2() {
  static const bool has = [] {
    __builtin_cpu_init();
    return __builtin_cpu_supports("sse2") != 0;
  }();
  return has;
}

// Skips whole blocks of sixteen bytes that hold none of a, b, c; returns the
// index of the first one found, or of the first byte not looked at.
__attribute__((target("sse2"))) size_t SkipBlocksWithout(std::string_view text, size_t pos, char a,
                                                         char b, char c) {
  const char* p = text.data();
  const __m128i va = _mm_set1_epi8(a);
  const __m128i vb = _mm_set1_epi8(b);
  const __m128i vc = _mm_set1_epi8(c);
  for (; pos + 16 <= text.size(); pos += 16) {
    const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + pos));
    const __m128i found =
        _mm_or_si128(_mm_cmpeq_epi8(bytes, va),
                     _mm_or_si128(_mm_cmpeq_epi8(bytes, vb), _mm_cmpeq_epi8(bytes, vc)));
    if (const int mask = _mm_movemask_epi8(found)) {
      return pos + static_cast<size_t>(__builtin_ctz(static_cast<unsigned>(mask)));
    }
  }
  return pos;
}

// Lowers whole blocks of sixteen bytes; returns how many bytes it did. Bytes
// from 0x80 up compare below 'A' as signed bytes, so they stay.
__attribute__((target("sse2"))) size_t LowerBlocks(char* text, size_t size) {
  const __m128i beforeA = _mm_set1_epi8('A' - 1);
  const __m128i afterZ = _mm_set1_epi8('Z' + 1);
  const __m128i caseBit = _mm_set1_epi8(0x20);
  size_t i = 0;
  for (; i + 16 <= size; i += 16) {
    auto* block = reinterpret_cast<__m128i*>(text + i);
    const __m128i bytes = _mm_loadu_si128(block);
    const __m128i upper =
        _mm_and_si128(_mm_cmpgt_epi8(bytes, beforeA), _mm_cmpgt_epi8(afterZ, bytes));
    if (_mm_movemask_epi8(upper) == 0) continue;
    _mm_storeu_si128(block, _mm_or_si128(bytes, _mm_and_si128(upper, caseBit)));
  }
  return i;
}

#else

bool HasSse2() { return false; }
size_t SkipBlocksWithout(std::string_view, size_t pos, char, char, char) { return pos; }
size_t LowerBlocks(char*, size_t) { return 0; }

#endif

}  // namespace

size_t FindByte(std::string_view text, size_t pos, char a, char b, char c) {
  if (HasSse2()) pos = SkipBlocksWithout(text, pos, a, b, c);
  for (; pos < text.size(); ++pos) {
    const char x = text[pos];
    if (x == a || x == b || x == c) break;
  }
  return pos;
}

void LowerAscii(std::span<char> text) {
  size_t i = HasSse2() ? LowerBlocks(text.data(), text.size()) : 0;
  for (; i < text.size(); ++i) {
    if (IsUpper(text[i])) text[i] = static_cast<char>(text[i] - 'A' + 'a');
  }
}

}  // namespace vantrel
