// Comparing two views means reading two strings somewhere in a file of tens
// of megabytes. So the texts are first placed by their first two bytes, in
// one pass in the order they lie in memory; each group is then sorted on
// records holding the next seven bytes as a number, a byte at a time, and
// only texts that tie on those are read again, seven bytes further on.
#include "core/TextSort.h"

#include <algorithm>

#include "core/Parallel.h"

namespace vantrel {
namespace {

constexpr size_t kGroups = size_t{1} << 16;
constexpr size_t kKeyBytes = 7;
// A key's low byte for a text that goes on past the key's bytes.
constexpr uint64_t kContinues = 10;
// Texts still tied this deep are few; they are compared as whole texts.
constexpr size_t kDeepest = 2 + 32 * kKeyBytes;

size_t GroupOf(Text text) {
  const auto* p = reinterpret_cast<const unsigned char*>(text.data());
  if (text.size() >= 2) return size_t{p[0]} << 8 | p[1];
  return text.empty() ? 0 : size_t{p[0]} << 8;
}

// Bytes depth to depth + 6 of a text whose first depth bytes are known to
// tie, then a low byte that grows with the text's length up to kContinues:
// a text sorts before every longer one it begins, and equal keys below
// kContinues are equal texts.
uint64_t KeyAt(Text text, size_t depth) {
  const auto* p = reinterpret_cast<const unsigned char*>(text.data());
  uint64_t key = 0;
  for (size_t i = depth; i < depth + kKeyBytes; ++i) key = key << 8 | (i < text.size() ? p[i] : 0u);
  return key << 8 | std::min<uint64_t>(text.size() + 2 - depth, kContinues);
}

// A text of the group being sorted: its key, and where it is in the copy of
// the group's texts.
struct Record {
  uint64_t key;
  uint32_t at;
};

struct Run {
  Record* first;
  Record* last;
  size_t depth;
};

// What each thread sorts its groups with; kept from group to group.
struct Scratch {
  TextArray texts;
  std::vector<Record> records;
  std::vector<Run> runs;
};

// Sorts records by their keys' bytes from shift down, the top byte first:
// each record is swapped into its byte's bucket, then each bucket is sorted
// on the next byte. A bucket of a few records is sorted by comparing.
void SortByKey(Record* first, Record* last, int shift) {
  const size_t n = static_cast<size_t>(last - first);
  if (n < 64 || shift < 0) {
    std::sort(first, last, [](const Record& a, const Record& b) { return a.key < b.key; });
    return;
  }
  const auto byte = [&](const Record& r) { return (r.key >> shift) & 0xff; };
  size_t counts[256] = {};
  for (const Record* r = first; r != last; ++r) ++counts[byte(*r)];
  // A byte that all records share orders nothing: on to the next.
  if (counts[byte(*first)] == n) {
    SortByKey(first, last, shift - 8);
    return;
  }
  // Bucket b is [begins[b], begins[b + 1]); next[b] is where its next record goes.
  size_t begins[257];
  begins[0] = 0;
  for (size_t b = 0; b < 256; ++b) begins[b + 1] = begins[b] + counts[b];
  size_t next[256];
  std::copy(begins, begins + 256, next);
  for (size_t b = 0; b < 256; ++b) {
    // Each record taken out of bucket b is carried to its own bucket,
    // swapping out the record there, until one for bucket b comes back.
    while (next[b] < begins[b + 1]) {
      Record moving = first[next[b]];
      for (size_t to = byte(moving); to != b; to = byte(moving)) {
        std::swap(moving, first[next[to]++]);
      }
      first[next[b]++] = moving;
    }
  }
  for (size_t b = 0; b < 256; ++b) {
    if (counts[b] > 1) SortByKey(first + begins[b], first + begins[b + 1], shift - 8);
  }
}

// Sorts one group's texts where they are, and marks the repeats: on keys,
// then each run of texts that tie on a key and go on past it on their next
// bytes, until the runs hold equal texts.
void SortGroup(Text* group, uint8_t* repeats, size_t n, size_t depth, Scratch& scratch) {
  const TextArray& texts = scratch.texts;
  scratch.texts.assign(group, group + n);
  scratch.records.resize(n);
  // The texts lie all over the file: their bytes are asked for a few texts
  // ahead, so that the waits for memory overlap.
  constexpr size_t kAhead = 16;
  for (size_t i = 0; i < n; ++i) {
    if (i + kAhead < n) __builtin_prefetch(texts[i + kAhead].data());
    scratch.records[i] = {KeyAt(texts[i], depth), static_cast<uint32_t>(i)};
  }
  std::fill(repeats, repeats + n, uint8_t{0});
  Record* const base = scratch.records.data();
  scratch.runs.assign(1, Run{base, base + n, depth});
  while (!scratch.runs.empty()) {
    const Run run = scratch.runs.back();
    scratch.runs.pop_back();
    if (run.depth >= kDeepest) {
      std::sort(run.first, run.last,
                [&](const Record& a, const Record& b) { return texts[a.at] < texts[b.at]; });
      for (Record* r = run.first + 1; r < run.last; ++r) {
        repeats[r - base] = texts[r->at] == texts[r[-1].at];
      }
      continue;
    }
    if (run.depth > depth) {
      for (Record* r = run.first; r != run.last; ++r) r->key = KeyAt(texts[r->at], run.depth);
    }
    SortByKey(run.first, run.last, 56);
    for (Record* tie = run.first; tie != run.last;) {
      Record* end = tie + 1;
      while (end != run.last && end->key == tie->key) ++end;
      if (end - tie > 1) {
        if ((tie->key & 0xff) == kContinues) {
          scratch.runs.push_back({tie, end, run.depth + kKeyBytes});
        } else {
          for (Record* r = tie + 1; r != end; ++r) repeats[r - base] = 1;
        }
      }
      tie = end;
    }
  }
  for (size_t i = 0; i < n; ++i) group[i] = texts[scratch.records[i].at];
}

bool Wanted(Text text, SortedCopy what) { return what == SortedCopy::All || !text.empty(); }

// Few texts are sorted as one group: placing them would walk all the
// groups for nothing.
MarkedTexts SortUngrouped(const Text* texts, size_t n, SortedCopy what) {
  MarkedTexts sorted;
  for (size_t i = 0; i < n; ++i) {
    if (Wanted(texts[i], what)) sorted.texts.push_back(texts[i]);
  }
  sorted.repeats.resize(sorted.texts.size());
  Scratch scratch;
  SortGroup(sorted.texts.data(), sorted.repeats.data(), sorted.texts.size(), 0, scratch);
  return sorted;
}

MarkedTexts SortGrouped(const Text* texts, size_t n, SortedCopy what) {
  // Where each group begins in the result.
  std::vector<uint32_t> starts(kGroups + 1, 0);
  for (size_t i = 0; i < n; ++i) {
    if (Wanted(texts[i], what)) ++starts[GroupOf(texts[i]) + 1];
  }
  for (size_t g = 0; g < kGroups; ++g) starts[g + 1] += starts[g];
  MarkedTexts sorted;
  sorted.texts.resize(starts[kGroups]);
  sorted.repeats.resize(starts[kGroups]);
  {
    std::vector<uint32_t> next(starts.begin(), starts.end() - 1);
    for (size_t i = 0; i < n; ++i) {
      if (Wanted(texts[i], what)) sorted.texts[next[GroupOf(texts[i])]++] = texts[i];
    }
  }

  // Chunks of consecutive groups of about equal size, one at a time per
  // thread.
  constexpr size_t kWorthThreads = size_t{1} << 16;
  const unsigned threads = sorted.texts.size() < kWorthThreads ? 1 : Cores();
  const size_t share = sorted.texts.size() / (8 * threads) + 1;
  std::vector<size_t> chunks{0};
  for (size_t g = 1; g < kGroups; ++g) {
    if (starts[g] - starts[chunks.back()] >= share) chunks.push_back(g);
  }
  chunks.push_back(kGroups);
  std::vector<Scratch> scratch(threads);
  RunTasks(chunks.size() - 1, threads, [&](size_t chunk, unsigned worker) {
    for (size_t g = chunks[chunk]; g < chunks[chunk + 1]; ++g) {
      const size_t size = starts[g + 1] - starts[g];
      if (size == 0) continue;
      SortGroup(sorted.texts.data() + starts[g], sorted.repeats.data() + starts[g], size, 2,
                scratch[worker]);
    }
  });
  return sorted;
}

}  // namespace

MarkedTexts SortTexts(const Text* texts, size_t n, SortedCopy what) {
  constexpr size_t kWorthGrouping = size_t{1} << 14;
  return n < kWorthGrouping ? SortUngrouped(texts, n, what) : SortGrouped(texts, n, what);
}

}  // namespace vantrel
