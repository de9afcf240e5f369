// Times Remove Duplicates and its undo on a hosts file: loads it as Open does
// (reading, then List1 filled as one batch), then runs the two jobs in turn
// and prints the median of each. The undo puts the document back as it was
// loaded, so every run of the removal starts from the same state.
//
// Usage: dedup-bench FILE [RUNS]
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "core/Dedup.h"
#include "core/HostsReader.h"
#include "core/SilentUi.h"
#include "core/TextSort.h"

namespace {

double Median(std::vector<double> ms) {
  std::sort(ms.begin(), ms.end());
  return ms[ms.size() / 2];
}

template <class F>
double TimeMs(F&& f) {
  const auto start = std::chrono::steady_clock::now();
  f();
  const auto end = std::chrono::steady_clock::now();
  return std::chrono::duration<double, std::milli>(end - start).count();
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: dedup-bench FILE [RUNS]\n");
    return 2;
  }
  const int runs = argc > 2 ? std::max(1, std::atoi(argv[2])) : 7;
  vantrel::HostsDocument doc;
  const vantrel::ReadResult r = vantrel::ReadHostsFile(argv[1], doc);
  if (r.outcome != vantrel::ReadOutcome::Loaded) {
    std::fprintf(stderr, "not loaded: %s\n", r.reason.c_str());
    return 1;
  }
  const double fill = TimeMs([&] {
    doc.List1.Assign(vantrel::SortedTexts(doc.CopyEntries(), vantrel::SortedCopy::NonEmpty));
  });

  vantrel::SilentUi ui;
  std::vector<double> removal;
  std::vector<double> undo;
  int32_t left = 0;
  for (int i = 0; i < runs; ++i) {
    removal.push_back(TimeMs([&] { vantrel::RemoveDuplicatesJob(doc, ui); }));
    left = doc.EntryCount();
    undo.push_back(TimeMs([&] { vantrel::UndoRemoveDuplicatesJob(doc, ui); }));
  }
  std::printf("%d entries, %d distinct; List1 filled in %.1f ms\n", doc.EntryCount(), left, fill);
  std::printf("remove duplicates: median %.1f ms (%d runs)\n", Median(removal), runs);
  std::printf("undo removal:      median %.1f ms (%d runs)\n", Median(undo), runs);
  return 0;
}
