#include "core/TextSort.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <memory>
#include <vector>

#include "core/Parallel.h"

namespace vantrel {

namespace {

// One text being sorted: the next seven bytes of the text from the record's
// depth as an 8-byte number, and where the text is. The low byte of the
// number says how many bytes of the text are left from the depth, up to 8
// ("more than fit"); with it, keys order a text before every longer text
// that it begins, and two texts with equal keys and fewer than 8 bytes left
// are equal. A record is as large as a text view, so the records fit in the
// room of the sorted result, and the sort takes no memory beyond it.
//
// Where the texts all lie in one stretch of memory under 4 GiB long (the
// file's bytes, the usual case), `where` is the offset of the text in it, so
// a record alone gives its text back without a look at the input array;
// otherwise `where` is the text's index in the input.
struct Record {
  uint64_t key;  // text bytes depth .. depth + 6, then the count left
  uint32_t where;
  uint32_t size;  // with kRepeat
};

constexpr size_t kKeyBytes = 7;
constexpr uint64_t kContinues = 8;
constexpr int kDigits = 8;  // bytes of a key, the count included
// Texts still tied this far in are few; they are compared as whole texts.
constexpr size_t kDeepest = 32 * kKeyBytes;
// Marks a record whose text equals the one before it in the sorted order.
constexpr uint32_t kRepeat = uint32_t{1} << 31;

uint64_t BigEndian(const unsigned char* p) {
  uint64_t word;
  std::memcpy(&word, p, 8);
  return __builtin_bswap64(word);
}

// Up to 8 bytes from p, the first one highest; missing bytes are 0.
uint64_t BigEndianShort(const unsigned char* p, size_t n) {
  uint64_t word = 0;
  for (size_t i = 0; i < n; ++i) word |= uint64_t{p[i]} << (56 - 8 * i);
  return word;
}

void KeyAt(Record& r, const char* data, size_t size, size_t depth) {
  const size_t left = size > depth ? size - depth : 0;
  const auto* p = reinterpret_cast<const unsigned char*>(data) + depth;
  if (left >= kContinues) {
    r.key = (BigEndian(p) >> 8 << 8) | kContinues;
  } else {
    r.key = BigEndianShort(p, left) | left;
  }
}

bool KeyLess(const Record& a, const Record& b) { return a.key < b.key; }
bool KeyEqual(const Record& a, const Record& b) { return a.key == b.key; }

unsigned DigitOf(const Record& r, int digit) {
  return static_cast<unsigned>(r.key >> (56 - 8 * digit)) & 0xff;
}

// The records of a range, put in order of one digit of their keys.
struct Buckets {
  size_t end[256];
  size_t count[256];
  unsigned low;
  unsigned high;
};

// Room to put a range of records in order through, instead of in place.
struct Scratch {
  Record* room = nullptr;
  size_t size = 0;
};

// Puts [first, last) in order of the given digit: one counting pass, then
// each record copied to its place in the scratch room and all copied back,
// or, for a range larger than the room, swapped to its place in one pass.
// Returns false, having moved nothing, when all the records share the digit.
bool Distribute(Record* first, Record* last, int digit, Buckets& b, Scratch scratch) {
  std::fill(b.count, b.count + 256, size_t{0});
  b.low = 255;
  b.high = 0;
  for (const Record* r = first; r != last; ++r) {
    const unsigned d = DigitOf(*r, digit);
    ++b.count[d];
    b.low = std::min(b.low, d);
    b.high = std::max(b.high, d);
  }
  if (b.low == b.high) return false;
  size_t next[256];
  size_t at = 0;
  for (unsigned d = b.low; d <= b.high; ++d) {
    next[d] = at;
    at += b.count[d];
    b.end[d] = at;
  }
  const size_t n = static_cast<size_t>(last - first);
  if (n <= scratch.size) {
    for (const Record* r = first; r != last; ++r) scratch.room[next[DigitOf(*r, digit)]++] = *r;
    std::copy(scratch.room, scratch.room + n, first);
    return true;
  }
  for (unsigned d = b.low; d <= b.high; ++d) {
    while (next[d] < b.end[d]) {
      const unsigned digitHere = DigitOf(first[next[d]], digit);
      if (digitHere == d) {
        ++next[d];
      } else {
        std::swap(first[next[d]], first[next[digitHere]++]);
      }
    }
  }
  return true;
}

// Sorts records on their keys from the given digit on, most significant
// first; a range whose records all share a digit costs only the count.
// Short ranges are left to a comparison sort, which is faster there.
void RadixSort(Record* first, Record* last, int digit, Scratch scratch) {
  constexpr ptrdiff_t kShort = 64;
  Buckets b;
  for (; digit < kDigits; ++digit) {
    if (last - first <= kShort) {
      std::sort(first, last, KeyLess);
      return;
    }
    if (Distribute(first, last, digit, b, scratch)) break;
  }
  if (digit + 1 >= kDigits) return;
  for (unsigned d = b.low; d <= b.high; ++d) {
    if (b.count[d] > 1) {
      RadixSort(first + b.end[d] - b.count[d], first + b.end[d], digit + 1, scratch);
    }
  }
}

// Where a record's text is: in one stretch from base, or in the input.
struct Locator {
  const Text* texts = nullptr;
  const char* base = nullptr;  // null: `where` is an index into texts

  const char* Data(const Record& r) const { return base ? base + r.where : texts[r.where].data(); }
  Text TextOf(const Record& r) const { return Text(Data(r), r.size & ~kRepeat); }
};

struct Range {
  Record* first;
  Record* last;
  size_t depth;
};

// Sorts one range of records completely: on their keys, then each run of
// texts that tie on the key further on.
class Sorter {
 public:
  // scratchSize: records of scratch room worth having, for the largest
  // range this sorter will be given.
  Sorter(Locator at, size_t scratchSize)
      : at_(at),
        scratchSize_(std::min(scratchSize, kScratchRecords)),
        scratch_(new Record[scratchSize_]) {}

  void Sort(Record* first, Record* last, int digit) {
    SortByKey({first, last, 0}, digit);
    while (!pending_.empty()) {
      const Range range = pending_.back();
      pending_.pop_back();
      if (range.depth >= kDeepest) {
        SortWhole(range);
      } else {
        SortByKey(range, 0);
      }
    }
  }

 private:
  // A run of texts that go on past the key is keyed on its next bytes and
  // sorted again; any other run holds equal texts.
  void SortByKey(const Range& range, int digit) {
    RadixSort(range.first, range.last, digit, {scratch_.get(), scratchSize_});
    ties_.clear();
    for (Record* run = range.first; run != range.last;) {
      Record* end = run + 1;
      while (end != range.last && KeyEqual(*end, *run)) ++end;
      if (end - run > 1) {
        if ((run->key & 0xff) == kContinues) {
          ties_.push_back({run, end, range.depth + kKeyBytes});
        } else {
          for (Record* r = run + 1; r != end; ++r) r->size |= kRepeat;
        }
      }
      run = end;
    }
    Rekey();
  }

  // Keys the records of every tied run on their next bytes. Their texts lie
  // anywhere in the file, and a run is often just two of them (a repeated
  // host name): the bytes are asked for a few records ahead across runs, so
  // that their loads overlap.
  void Rekey() {
    constexpr int kAhead = 16;
    size_t aheadRun = 0;
    Record* ahead = ties_.empty() ? nullptr : ties_.front().first;
    auto askAhead = [&] {
      if (!ahead) return;
      __builtin_prefetch(at_.Data(*ahead) + ties_[aheadRun].depth);
      if (++ahead != ties_[aheadRun].last) return;
      ahead = ++aheadRun < ties_.size() ? ties_[aheadRun].first : nullptr;
    };
    for (int i = 0; i < kAhead; ++i) askAhead();
    for (const Range& run : ties_) {
      for (Record* r = run.first; r != run.last; ++r) {
        askAhead();
        KeyAt(*r, at_.Data(*r), r->size, run.depth);
      }
      pending_.push_back(run);
    }
  }

  // Long texts that tie this far: compared as texts, which is rare enough.
  void SortWhole(const Range& range) {
    std::sort(range.first, range.last,
              [&](const Record& a, const Record& b) { return at_.TextOf(a) < at_.TextOf(b); });
    for (Record* r = range.first + 1; r < range.last; ++r) {
      if (at_.TextOf(*r) == at_.TextOf(r[-1])) r->size |= kRepeat;
    }
  }

  // Enough for ranges that fit in a core's own cache; larger ones are put in
  // order in place.
  static constexpr size_t kScratchRecords = (size_t{1} << 20) / sizeof(Record);

  Locator at_;
  std::vector<Range> pending_;
  std::vector<Range> ties_;
  size_t scratchSize_;
  std::unique_ptr<Record[]> scratch_;  // not cleared
};

// A range whose records share every digit before `digit`, sorted as a whole
// on its own.
struct Task {
  Record* first;
  Record* last;
  int digit;
  size_t Size() const { return static_cast<size_t>(last - first); }
};

// Cuts the tasks further, distributing the largest on its next digit until
// none holds more than a share of the records, so that the threads finish
// together; returns them largest first.
void SplitForThreads(std::vector<Task>& tasks, size_t records, unsigned threads) {
  const size_t share = records / (4 * threads);
  Buckets b;
  while (!tasks.empty()) {
    const auto largest =
        std::max_element(tasks.begin(), tasks.end(),
                         [](const Task& x, const Task& y) { return x.Size() < y.Size(); });
    if (largest->Size() <= share || largest->digit >= kDigits - 1) break;
    const Task task = *largest;
    tasks.erase(largest);
    if (!Distribute(task.first, task.last, task.digit, b, {})) {
      tasks.push_back({task.first, task.last, task.digit + 1});
      continue;
    }
    for (unsigned d = b.low; d <= b.high; ++d) {
      if (b.count[d] > 1) {
        tasks.push_back(
            {task.first + b.end[d] - b.count[d], task.first + b.end[d], task.digit + 1});
      }
    }
  }
  std::sort(tasks.begin(), tasks.end(),
            [](const Task& x, const Task& y) { return x.Size() > y.Size(); });
}

void SortTasks(Locator at, std::vector<Task>& tasks, size_t records) {
  // Below this, starting threads costs more than it saves.
  constexpr size_t kWorthThreads = size_t{1} << 16;
  const unsigned threads = records < kWorthThreads ? 1 : Cores();
  if (threads > 1) SplitForThreads(tasks, records, threads);
  size_t largest = 0;
  for (const Task& task : tasks) largest = std::max(largest, task.Size());
  std::vector<Sorter> sorters;
  for (unsigned t = 0; t < threads; ++t) sorters.emplace_back(at, largest);
  RunTasks(tasks.size(), threads, [&](size_t i, unsigned worker) {
    sorters[worker].Sort(tasks[i].first, tasks[i].last, tasks[i].digit);
  });
}

bool Wanted(Text text, SortedCopy what) { return what == SortedCopy::All || !text.empty(); }

// The first two bytes of a text's key: the records of a large sort are
// placed by them as they are made, which is the sort's first two passes for
// free. A small sort does without, rather than walk 65,536 places.
constexpr int kPlacedDigits = 2;
constexpr size_t kPlaces = size_t{1} << (8 * kPlacedDigits);
constexpr size_t kWorthPlacing = size_t{1} << 14;
unsigned PlaceOf(Text text) {
  const auto* p = reinterpret_cast<const unsigned char*>(text.data());
  switch (text.size()) {
    case 0:
      return 0;
    case 1:
      return unsigned{p[0]} << 8;
    default:
      return unsigned{p[0]} << 8 | p[1];
  }
}

// The wanted texts: how many in all and how many begin with each two bytes
// (when they are placed), and the stretch of memory that holds them all
// when it is short enough for 32-bit offsets.
struct Survey {
  explicit Survey(bool placing)
      : places(placing ? kPlaces + 1 : 2, 0), digits(placing ? kPlacedDigits : 0) {}
  unsigned Place(Text text) const { return digits == 0 ? 0 : PlaceOf(text); }

  std::vector<uint32_t> places;
  int digits;
  size_t count = 0;
  const char* base = nullptr;
};

void Look(const Text* texts, size_t n, SortedCopy what, Survey& survey) {
  uintptr_t low = UINTPTR_MAX;
  uintptr_t high = 0;
  for (size_t i = 0; i < n; ++i) {
    if (!Wanted(texts[i], what)) continue;
    ++survey.count;
    ++survey.places[survey.Place(texts[i])];
    const auto start = reinterpret_cast<uintptr_t>(texts[i].data());
    low = std::min(low, start);
    high = std::max(high, start + texts[i].size());
  }
  if (survey.count > 0 && high - low < (uint64_t{1} << 32)) {
    survey.base = reinterpret_cast<const char*>(low);
  }
}

static_assert(sizeof(Record) >= sizeof(Text) && alignof(Record) % alignof(Text) == 0);

// Room for n records, in units of texts.
size_t TextsForRecords(size_t n) {
  return (std::max<size_t>(n, 1) * sizeof(Record) + sizeof(Text) - 1) / sizeof(Text);
}

}  // namespace

namespace {

std::vector<Text> Sort(const Text* texts, size_t n, SortedCopy what, std::vector<bool>* repeats) {
  Survey survey(n >= kWorthPlacing);
  Look(texts, n, what, survey);
  const Locator at{texts, survey.base};
  // The records live in the room of the result, which is made as large as
  // they are: text j of the result goes where record j began, after records
  // 0 to j were read, so the sort needs no memory beyond its result.
  std::vector<Text> sorted;
  sorted.reserve(TextsForRecords(survey.count));
  auto* records = reinterpret_cast<Record*>(sorted.data());
  // Each record goes straight to the part of the array for its first bytes:
  // places[p] becomes the end of the part for p.
  std::vector<uint32_t>& next = survey.places;
  uint32_t at0 = 0;
  for (uint32_t& place : next) {
    const uint32_t count = place;
    place = at0;
    at0 += count;
  }
  for (size_t i = 0; i < n; ++i) {
    const Text text = texts[i];
    if (!Wanted(text, what)) continue;
    Record& r = *::new (static_cast<void*>(records + next[survey.Place(text)]++)) Record;
    KeyAt(r, text.data(), text.size(), 0);
    r.where = static_cast<uint32_t>(at.base ? static_cast<size_t>(text.data() - at.base) : i);
    r.size = static_cast<uint32_t>(text.size());
  }
  std::vector<Task> tasks;
  for (size_t p = 0, begin = 0; p + 1 < next.size(); begin = next[p++]) {
    if (next[p] - begin > 1) tasks.push_back({records + begin, records + next[p], survey.digits});
  }
  SortTasks(at, tasks, survey.count);

  const size_t count = survey.count;
  if (repeats) repeats->reserve(count);
  const bool distinct = what == SortedCopy::DistinctNonEmpty;
  for (size_t i = 0; i < count; ++i) {
    const Record r = records[i];
    if (distinct && (r.size & kRepeat)) continue;
    if (repeats) repeats->push_back((r.size & kRepeat) != 0);
    sorted.push_back(at.TextOf(r));
  }
  // The records' room past the result holds nothing any more. Where texts
  // are much smaller than records (a 32-bit build) or many were left out,
  // the result moves to a block of its own size; otherwise the room's pages
  // go back where the system allows it.
  if (sorted.capacity() >= 2 * sorted.size()) sorted.shrink_to_fit();
  return sorted;
}

}  // namespace

std::vector<Text> SortedTexts(const Text* texts, size_t n, SortedCopy what) {
  return Sort(texts, n, what, nullptr);
}

MarkedTexts SortedTextsMarked(const Text* texts, size_t n, SortedCopy what) {
  MarkedTexts marked;
  marked.texts =
      Sort(texts, n, what == SortedCopy::All ? what : SortedCopy::NonEmpty, &marked.repeats);
  return marked;
}

}  // namespace vantrel
