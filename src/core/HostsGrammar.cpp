#include "core/HostsGrammar.h"

#include <cstdint>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "core/TextEncoding.h"
#include "core/WordScan.h"

namespace vantrel {

namespace {

bool IsLineEnd(char c) { return c == '\r' || c == '\n'; }
bool IsFieldEnd(char c) { return c == ',' || IsLineEnd(c); }

// Index of the first comma, CR or LF at or after pos, or the text's size.
size_t FindFieldEnd(std::string_view text, size_t pos) {
  const char* p = text.data();
  const size_t n = text.size();
#if defined(__SSE2__)
  const __m128i comma = _mm_set1_epi8(',');
  const __m128i cr = _mm_set1_epi8('\r');
  const __m128i lf = _mm_set1_epi8('\n');
  for (; pos + 16 <= n; pos += 16) {
    const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + pos));
    const __m128i ends =
        _mm_or_si128(_mm_cmpeq_epi8(bytes, comma),
                     _mm_or_si128(_mm_cmpeq_epi8(bytes, cr), _mm_cmpeq_epi8(bytes, lf)));
    if (const int mask = _mm_movemask_epi8(ends))
      return pos + static_cast<size_t>(__builtin_ctz(mask));
  }
#endif
  for (; pos + 8 <= n; pos += 8) {
    const uint64_t word = LoadWord(p + pos);
    // The lowest mark of each mask is a true one, so the lowest of all is.
    const uint64_t ends = BytesEqual(word, ',') | BytesEqual(word, '\r') | BytesEqual(word, '\n');
    if (ends != 0) return pos + FirstMarked(ends);
  }
  while (pos < n && !IsFieldEnd(p[pos])) ++pos;
  return pos;
}

}  // namespace

void ItemReader::SkipLineEnd() {
  if (pos_ >= text_.size()) return;
  if (text_[pos_] == '\r') {
    ++pos_;
    if (pos_ < text_.size() && text_[pos_] == '\n') ++pos_;
  } else if (text_[pos_] == '\n') {
    ++pos_;
  }
}

std::string_view ItemReader::Next() {
  const size_t n = text_.size();
  while (pos_ < n && (text_[pos_] == ' ' || text_[pos_] == '\t')) ++pos_;
  if (pos_ >= n) return {};

  if (IsLineEnd(text_[pos_])) {
    SkipLineEnd();
    return {};
  }

  std::string_view item;
  if (text_[pos_] == '"') {
    // A quoted item runs to the closing quote; a quote left open ends with
    // its line, so it never swallows the lines after it.
    const size_t start = ++pos_;
    while (pos_ < n && text_[pos_] != '"' && !IsLineEnd(text_[pos_])) ++pos_;
    item = text_.substr(start, pos_ - start);
    if (pos_ < n && text_[pos_] == '"') ++pos_;
    while (pos_ < n && !IsFieldEnd(text_[pos_])) ++pos_;
  } else {
    const size_t start = pos_;
    pos_ = FindFieldEnd(text_, pos_);
    item = text_.substr(start, pos_ - start);
  }

  if (pos_ < n) {
    if (text_[pos_] == ',') {
      ++pos_;
    } else {
      SkipLineEnd();
    }
  }
  return item;
}

ItemKind Classify(std::string_view item) {
  if (item.empty()) return ItemKind::Blank;
  if (item.front() == '#') return ItemKind::Comment;
  return ItemKind::Entry;
}

std::string_view TrimSpaces(std::string_view text) {
  const size_t first = text.find_first_not_of(' ');
  if (first == std::string_view::npos) return {};
  const size_t last = text.find_last_not_of(' ');
  return text.substr(first, last - first + 1);
}

namespace {

#if defined(__SSE2__)
// The upper-case ASCII letters among sixteen bytes, as a byte mask; bytes
// from 0x80 up compare below 'A' here.
__m128i UpperMask(__m128i bytes) {
  const __m128i beforeA = _mm_set1_epi8('A' - 1);
  const __m128i afterZ = _mm_set1_epi8('Z' + 1);
  return _mm_and_si128(_mm_cmpgt_epi8(bytes, beforeA), _mm_cmpgt_epi8(afterZ, bytes));
}
#endif

// Bit 7 set in each byte of word from 'A' to 'Z': seven-bit bytes at or
// above 'A' and not above 'Z'.
uint64_t UpperBits(uint64_t word) {
  const uint64_t low7 = word & ~kByteHighs;
  const uint64_t fromA = low7 + kByteOnes * (0x80 - 'A');
  const uint64_t pastZ = low7 + kByteOnes * (0x80 - 'Z' - 1);
  return fromA & ~pastZ & ~word & kByteHighs;
}

bool IsUpper(char c) { return c >= 'A' && c <= 'Z'; }

}  // namespace

void LowerAscii(char* text, size_t size) {
  size_t i = 0;
#if defined(__SSE2__)
  const __m128i caseBit = _mm_set1_epi8(0x20);
  for (; i + 16 <= size; i += 16) {
    const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(text + i));
    const __m128i upper = UpperMask(bytes);
    if (_mm_movemask_epi8(upper) == 0) continue;
    _mm_storeu_si128(reinterpret_cast<__m128i*>(text + i),
                     _mm_or_si128(bytes, _mm_and_si128(upper, caseBit)));
  }
#endif
  for (; i + 8 <= size; i += 8) {
    uint64_t word;
    std::memcpy(&word, text + i, 8);
    // Adding 0x20 is setting bit 5, which an upper-case letter does not have.
    const uint64_t upper = UpperBits(word);
    if (upper == 0) continue;
    word |= upper >> 2;
    std::memcpy(text + i, &word, 8);
  }
  for (; i < size; ++i) {
    if (IsUpper(text[i])) text[i] = static_cast<char>(text[i] - 'A' + 'a');
  }
}

bool HasUpperAscii(std::string_view text) {
  const char* p = text.data();
  const size_t size = text.size();
  size_t i = 0;
#if defined(__SSE2__)
  for (; i + 16 <= size; i += 16) {
    const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + i));
    if (_mm_movemask_epi8(UpperMask(bytes)) != 0) return true;
  }
#endif
  for (; i + 8 <= size; i += 8) {
    uint64_t word;
    std::memcpy(&word, p + i, 8);
    if (UpperBits(word) != 0) return true;
  }
  for (; i < size; ++i) {
    if (IsUpper(p[i])) return true;
  }
  return false;
}

void LowerAscii(std::string& text) { LowerAscii(text.data(), text.size()); }

void UpperAscii(std::string& text) {
  for (char& c : text) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
}

std::string NormaliseEntry(std::string_view item) {
  std::string entry(TrimSpaces(item));
  LowerAscii(entry);
  return entry;
}

std::string_view HostPart(std::string_view entry) {
  // One look at each byte: the first tab, and the first space before it.
  const char* p = entry.data();
  const size_t n = entry.size();
  size_t tab = std::string_view::npos;
  size_t space = std::string_view::npos;
  size_t i = 0;
#if defined(__SSE2__)
  const __m128i tabs16 = _mm_set1_epi8('\t');
  const __m128i spaces16 = _mm_set1_epi8(' ');
  for (; i + 16 <= n; i += 16) {
    const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + i));
    if (const int tabs = _mm_movemask_epi8(_mm_cmpeq_epi8(bytes, tabs16))) {
      tab = i + static_cast<size_t>(__builtin_ctz(tabs));
      break;
    }
    if (space != std::string_view::npos) continue;
    if (const int spaces = _mm_movemask_epi8(_mm_cmpeq_epi8(bytes, spaces16))) {
      space = i + static_cast<size_t>(__builtin_ctz(spaces));
    }
  }
#endif
  for (; i + 8 <= n && tab == std::string_view::npos; i += 8) {
    const uint64_t word = LoadWord(p + i);
    if (const uint64_t tabs = BytesEqual(word, '\t')) tab = i + FirstMarked(tabs);
    if (space != std::string_view::npos) continue;
    if (const uint64_t spaces = BytesEqual(word, ' ')) space = i + FirstMarked(spaces);
  }
  for (; i < n && tab == std::string_view::npos; ++i) {
    if (p[i] == '\t') tab = i;
    if (p[i] == ' ' && space == std::string_view::npos) space = i;
  }
  const size_t cut = tab != std::string_view::npos ? tab : space;
  if (cut == std::string_view::npos) return entry;
  return TrimSpaces(entry.substr(cut + 1));
}

bool ReadsBackAsAddress(std::string_view text) {
  if (text.empty() || text.find('\0') != std::string_view::npos) return false;
  std::string address(text);
  LowerAscii(address);
  // A space or tab inside would be where the reader cuts the host part.
  if (HostPart(address) != address) return false;
  // The file may begin with this line.
  if (DetectEncoding(address + " h\r\n") != TextEncoding::SingleByte) return false;
  // The host after a space, or after a tab when it holds one; the line bare,
  // or quoted when it holds a comma.
  for (const char separator : {' ', '\t'}) {
    for (const bool quoted : {false, true}) {
      const std::string host = quoted ? "h,h" : "h";
      const std::string expected = address + separator + host;
      const std::string line = (quoted ? '"' + expected + '"' : expected) + "\r\n";
      ItemReader reader(line);
      const std::string_view item = reader.Next();
      if (!reader.AtEnd() || Classify(item) != ItemKind::Entry) return false;
      const std::string entry = NormaliseEntry(item);
      if (entry != expected || HostPart(entry) != host) return false;
    }
  }
  return true;
}

}  // namespace vantrel
