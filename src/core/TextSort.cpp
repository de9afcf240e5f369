#include "core/TextSort.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <vector>

namespace vantrel {

namespace {

// Bytes of a text that one record holds. The low byte of the key says how
// many bytes of the text are left from the record's depth, up to 8 ("more
// than fit"); with it, keys order a text before every longer text that it
// begins, and two texts with equal keys and fewer than 8 bytes left are
// equal.
constexpr size_t kDigit = 7;
constexpr uint64_t kContinues = 8;
// Texts still tied this far in are few; they are compared as whole texts.
constexpr size_t kDeepest = 32 * kDigit;
// Marks a record whose text equals the one before it in the sorted order.
constexpr uint32_t kRepeat = uint32_t{1} << 31;

// One text being sorted. Where the texts all lie in one stretch of memory
// under 4 GiB long (the file's bytes, the usual case), `where` is the offset
// of the text in it, so a record alone gives its text back without a look
// at the input array; otherwise `where` is the text's index in the input.
struct Record {
  uint64_t key;
  uint32_t where;
  uint32_t size;  // with kRepeat
};

uint64_t KeyAt(const char* data, size_t size, size_t depth) {
  const size_t left = size > depth ? size - depth : 0;
  const auto* p = reinterpret_cast<const unsigned char*>(data) + depth;
  uint64_t digits = 0;
  if (left > kDigit) {
    uint64_t word;
    std::memcpy(&word, p, 8);
    digits = __builtin_bswap64(word) >> 8;
  } else {
    for (size_t i = 0; i < left; ++i) digits = digits << 8 | p[i];
    digits <<= 8 * (kDigit - left);
  }
  return digits << 8 | std::min<uint64_t>(left, kContinues);
}

struct KeyLess {
  bool operator()(const Record& a, const Record& b) const { return a.key < b.key; }
};

// Sorts records on their keys, most significant byte first, in place: one
// counting pass and one pass of swaps per byte, and a range whose records
// all share the byte costs only the count. Short ranges are left to a
// comparison sort, which is faster there.
void RadixSort(Record* first, Record* last, int byte) {
  constexpr ptrdiff_t kShort = 256;
  for (;;) {
    if (last - first <= kShort) {
      std::sort(first, last, KeyLess());
      return;
    }
    const int shift = 8 * byte;
    size_t count[256] = {};
    for (const Record* r = first; r != last; ++r) ++count[(r->key >> shift) & 0xff];
    size_t next[256];
    size_t end[256];
    size_t at = 0;
    int used = 0;
    for (int b = 0; b < 256; ++b) {
      next[b] = at;
      at += count[b];
      end[b] = at;
      used += count[b] != 0;
    }
    if (used > 1) {
      for (int b = 0; b < 256; ++b) {
        while (next[b] < end[b]) {
          const auto digit = static_cast<int>((first[next[b]].key >> shift) & 0xff);
          if (digit == b) {
            ++next[b];
          } else {
            std::swap(first[next[b]], first[next[digit]++]);
          }
        }
      }
    }
    if (byte == 0) return;
    if (used == 1) {
      --byte;
      continue;
    }
    for (int b = 0; b < 256; ++b) {
      const size_t begin = end[b] - count[b];
      if (count[b] > 1) RadixSort(first + begin, first + end[b], byte - 1);
    }
    return;
  }
}

struct Range {
  size_t first;
  size_t last;
  size_t depth;
};

// Where a record's text is: in one stretch from base, or in the input.
struct Locator {
  const Text* texts = nullptr;
  const char* base = nullptr;  // null: `where` is an index into texts

  const char* Data(const Record& r) const { return base ? base + r.where : texts[r.where].data(); }
  Text TextOf(const Record& r) const { return Text(Data(r), r.size & ~kRepeat); }
};

class Sorter {
 public:
  Sorter(Locator at, Record* records) : at_(at), records_(records) {}

  void Sort(size_t n) {
    pending_.push_back({0, n, 0});
    while (!pending_.empty()) {
      const Range range = pending_.back();
      pending_.pop_back();
      if (range.depth >= kDeepest) {
        SortWhole(range);
      } else {
        SortByKey(range);
      }
    }
  }

 private:
  // Sorts the range on its keys, then takes each run of equal keys further:
  // a run of texts that go on past the key is keyed on its next bytes and
  // sorted again; any other run holds equal texts.
  void SortByKey(const Range& range) {
    Record* first = records_ + range.first;
    Record* last = records_ + range.last;
    RadixSort(first, last, 7);
    for (Record* run = first; run != last;) {
      Record* end = run + 1;
      while (end != last && end->key == run->key) ++end;
      if (end - run > 1) {
        if ((run->key & 0xff) == kContinues) {
          Rekey(run, end, range.depth + kDigit);
        } else {
          for (Record* r = run + 1; r != end; ++r) r->size |= kRepeat;
        }
      }
      run = end;
    }
  }

  void Rekey(Record* first, Record* last, size_t depth) {
    constexpr ptrdiff_t kAhead = 32;
    for (Record* r = first; r != last; ++r) {
      // The texts of a run lie anywhere in the file: ask for the bytes a few
      // records ahead, so that their loads overlap.
      if (last - r > kAhead) __builtin_prefetch(at_.Data(r[kAhead]) + depth);
      r->key = KeyAt(at_.Data(*r), r->size, depth);
    }
    pending_.push_back(
        {static_cast<size_t>(first - records_), static_cast<size_t>(last - records_), depth});
  }

  // Long texts that tie this far: compared as texts, which is rare enough.
  void SortWhole(const Range& range) {
    Record* first = records_ + range.first;
    Record* last = records_ + range.last;
    std::sort(first, last,
              [&](const Record& a, const Record& b) { return at_.TextOf(a) < at_.TextOf(b); });
    for (Record* r = first + 1; r < last; ++r) {
      if (at_.TextOf(*r) == at_.TextOf(r[-1])) r->size |= kRepeat;
    }
  }

  Locator at_;
  Record* records_;
  std::vector<Range> pending_;
};

bool Wanted(Text text, SortedCopy what) { return what == SortedCopy::All || !text.empty(); }

// The wanted texts: how many, and the stretch of memory that holds them all
// when it is short enough for 32-bit offsets.
struct Survey {
  size_t count = 0;
  const char* base = nullptr;
};

Survey Look(const Text* texts, size_t n, SortedCopy what) {
  Survey survey;
  uintptr_t low = UINTPTR_MAX;
  uintptr_t high = 0;
  for (size_t i = 0; i < n; ++i) {
    if (!Wanted(texts[i], what)) continue;
    ++survey.count;
    const auto start = reinterpret_cast<uintptr_t>(texts[i].data());
    low = std::min(low, start);
    high = std::max(high, start + texts[i].size());
  }
  if (survey.count > 0 && high - low < (uint64_t{1} << 32)) {
    survey.base = reinterpret_cast<const char*>(low);
  }
  return survey;
}

static_assert(sizeof(Record) % sizeof(Text) == 0 && alignof(Record) % alignof(Text) == 0);
constexpr size_t kTextsPerRecord = sizeof(Record) / sizeof(Text);

}  // namespace

BigVector<Text> SortedTexts(const Text* texts, size_t n, SortedCopy what) {
  const Survey survey = Look(texts, n, what);
  const Locator at{texts, survey.base};
  // The records live in the spare room of the result, which is as large as
  // they are: text j of the result goes where record j was, after records 0
  // to j were read, so the sort needs no memory beyond its result.
  BigVector<Text> sorted;
  sorted.reserve(std::max<size_t>(survey.count, 1) * kTextsPerRecord);
  auto* records = reinterpret_cast<Record*>(sorted.data());
  size_t count = 0;
  for (size_t i = 0; i < n; ++i) {
    const Text text = texts[i];
    if (!Wanted(text, what)) continue;
    const auto where =
        static_cast<uint32_t>(at.base ? static_cast<size_t>(text.data() - at.base) : i);
    ::new (static_cast<void*>(records + count++))
        Record{KeyAt(text.data(), text.size(), 0), where, static_cast<uint32_t>(text.size())};
  }
  Sorter(at, records).Sort(count);

  const bool distinct = what == SortedCopy::DistinctNonEmpty;
  for (size_t i = 0; i < count; ++i) {
    const Record r = records[i];
    if (distinct && (r.size & kRepeat)) continue;
    sorted.push_back(at.TextOf(r));
  }
  return sorted;
}

}  // namespace vantrel
