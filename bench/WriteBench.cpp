// Times writing a hosts file the way Save As does: the text built from the
// document with the comments at their places, then the safe replacement of
// the output file (temp file, flush, rename). Prints the medians of the runs.
//
// Usage: write-bench IN OUT [RUNS]
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "core/HostsReader.h"
#include "core/OpenFile.h"
#include "core/SilentUi.h"
#include "save/HostsWriter.h"
#include "save/SafeWrite.h"

namespace {

double Median(std::vector<double> ms) {
  std::sort(ms.begin(), ms.end());
  return ms[ms.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: write-bench IN OUT [RUNS]\n");
    return 2;
  }
  const int runs = argc > 3 ? std::max(1, std::atoi(argv[3])) : 7;
  vantrel::HostsDocument doc;
  const vantrel::ReadResult r = vantrel::ReadHostsFile(argv[1], doc);
  if (r.outcome != vantrel::ReadOutcome::Loaded) {
    std::fprintf(stderr, "not loaded: %s\n", r.reason.c_str());
    return 1;
  }
  vantrel::SilentUi ui;
  vantrel::LoadListsJob(doc, ui);

  std::vector<double> textMs, fileMs;
  size_t bytes = 0;
  for (int i = 0; i < runs; ++i) {
    const auto start = std::chrono::steady_clock::now();
    const std::string text = vantrel::WriteHostsText(doc, "127.0.0.1 ", true);
    const auto built = std::chrono::steady_clock::now();
    const vantrel::FsStatus status =
        vantrel::SafeWriteFile(vantrel::NativeFileSystem(), argv[2], text);
    const auto end = std::chrono::steady_clock::now();
    if (!status.ok()) {
      std::fprintf(stderr, "not written: %s\n", vantrel::ReasonFor(status).c_str());
      return 1;
    }
    bytes = text.size();
    textMs.push_back(std::chrono::duration<double, std::milli>(built - start).count());
    fileMs.push_back(std::chrono::duration<double, std::milli>(end - built).count());
  }
  std::printf("wrote %d entries, %zu bytes: text median %.1f ms, file median %.1f ms (%d runs)\n",
              doc.EntryCount(), bytes, Median(textMs), Median(fileMs), runs);
  return 0;
}
