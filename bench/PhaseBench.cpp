// Times each phase of the core on one hosts file, so that the next
// optimisation goes where the time is: reading the bytes, the counting and
// load passes, filling List1 (the sort), Remove Duplicates and its undo,
// writing the output file (the text alone, then streamed into the file).
// Prints the median of each phase over the runs.
//
// Usage: phase-bench FILE OUT [RUNS]
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>
#include <vector>

#include "core/Dedup.h"
#include "core/HostsReader.h"
#include "core/OpenFile.h"
#include "core/SilentUi.h"
#include "core/TextSort.h"
#include "save/FileSystem.h"
#include "save/HostsWriter.h"

namespace {

using Clock = std::chrono::steady_clock;

class Phases {
 public:
  void Record(const std::string& name, Clock::duration time) {
    if (times_.find(name) == times_.end()) order_.push_back(name);
    times_[name].push_back(std::chrono::duration<double, std::milli>(time).count());
  }

  template <class F>
  void Time(const std::string& name, F&& f) {
    const auto start = Clock::now();
    f();
    Record(name, Clock::now() - start);
  }

  void Print() const {
    double total = 0;
    for (const std::string& name : order_) {
      std::vector<double> ms = times_.at(name);
      std::sort(ms.begin(), ms.end());
      const double median = ms[ms.size() / 2];
      if (name.front() != ' ') total += median;
      std::printf("%-28s %8.1f ms  (min %.1f, max %.1f)\n", name.c_str(), median, ms.front(),
                  ms.back());
    }
    std::printf("%-28s %8.1f ms\n", "sum of the phases", total);
  }

 private:
  std::vector<std::string> order_;
  std::map<std::string, std::vector<double>> times_;
};

bool RunOnce(const char* in, const char* out, Phases& phases) {
  vantrel::HostsDocument doc;
  vantrel::SilentUi ui;
  // Each stage of the read is timed from the end of the one before it.
  vantrel::ReadOptions options;
  auto stageStart = Clock::now();
  options.stageDone = [&](const char* stage) {
    const auto now = Clock::now();
    phases.Record(stage, now - stageStart);
    stageStart = now;
  };
  const vantrel::ReadResult read = vantrel::ReadHostsFile(in, doc, options);
  if (read.outcome != vantrel::ReadOutcome::Loaded) {
    std::fprintf(stderr, "cannot read %s: %s\n", in, read.reason.c_str());
    return false;
  }
  // The sort on its own, for comparison with the jobs that use it.
  phases.Time("  (sort of the entries)",
              [&] { vantrel::SortedTexts(doc.Entries().Head(), vantrel::SortedCopy::NonEmpty); });
  phases.Time("load job (List1)", [&] { vantrel::LoadListsJob(doc, ui); });
  phases.Time("remove duplicates job", [&] { vantrel::RemoveDuplicatesJob(doc, ui); });
  phases.Time("undo removal job", [&] { vantrel::UndoRemoveDuplicatesJob(doc, ui); });
  phases.Time("remove duplicates again", [&] { vantrel::RemoveDuplicatesJob(doc, ui); });
  size_t bytes = 0;
  phases.Time("  (output text alone)", [&] {
    vantrel::WriteHostsText(doc, "127.0.0.1 ", true, [&](std::string_view piece) {
      bytes += piece.size();
      return true;
    });
  });
  vantrel::FsStatus status;
  phases.Time("save (text into the file)", [&] {
    status = vantrel::WriteHostsFile(vantrel::NativeFileSystem(), out, doc, "127.0.0.1 ", true);
  });
  if (!status.ok()) {
    std::fprintf(stderr, "cannot write %s: %s\n", out, vantrel::ReasonFor(status).c_str());
    return false;
  }
  phases.Time("release the document", [&] { doc = vantrel::HostsDocument(); });
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: phase-bench FILE OUT [RUNS]\n");
    return 2;
  }
  const int runs = argc > 3 ? std::max(1, std::atoi(argv[3])) : 5;
  Phases phases;
  for (int i = 0; i < runs; ++i) {
    if (!RunOnce(argv[1], argv[2], phases)) return 1;
  }
  std::printf("%s, %d runs:\n", argv[1], runs);
  phases.Print();
  return 0;
}
