// Times each phase of the core on one hosts file, so that the next
// optimisation goes where the time is: reading the bytes, the counting and
// load passes, the host parts, filling List1 (the sort), Remove Duplicates
// and its undo, writing the output
// file (the text alone, then streamed into the file).
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
#include "save/HostsWriter.h"
#include "save/SafeWrite.h"

namespace {

using Clock = std::chrono::steady_clock;

class Phases {
 public:
  template <class F>
  void Time(const std::string& name, F&& f) {
    if (times_.find(name) == times_.end()) order_.push_back(name);
    const auto start = Clock::now();
    f();
    const auto end = Clock::now();
    times_[name].push_back(std::chrono::duration<double, std::milli>(end - start).count());
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
  vantrel::HostsReader reader;
  std::string reason;
  bool opened = false;
  phases.Time("read the bytes",
              [&] { opened = reader.Open(in, reason) == vantrel::ReadOutcome::Loaded; });
  if (!opened) {
    std::fprintf(stderr, "cannot read %s: %s\n", in, reason.c_str());
    return false;
  }
  phases.Time("counting pass", [&] { reader.CountingPass(doc); });
  phases.Time("allocation + load pass", [&] {
    reader.Allocate(doc);
    reader.LoadPass(doc);
  });
  phases.Time("redirect + host parts", [&] {
    vantrel::HostsReader::RedirectAddressCaption(doc);
    reader.HostParts();
  });
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
    status = vantrel::SafeWriteFile(
        vantrel::NativeFileSystem(), out, [&](const vantrel::ChunkWriter& write) {
          vantrel::FsStatus written;
          vantrel::WriteHostsText(doc, "127.0.0.1 ", true, [&](std::string_view piece) {
            written = write(piece);
            return written.ok();
          });
          return written;
        });
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
