// Times reading a hosts file the way Open does (both passes over one buffer,
// the redirect address and the host parts) and prints the median of the runs.
//
// Usage: read-bench FILE [RUNS]
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "core/HostsReader.h"

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: read-bench FILE [RUNS]\n");
    return 2;
  }
  const int runs = argc > 2 ? std::atoi(argv[2]) : 7;
  std::vector<double> ms;
  int32_t entries = 0;
  for (int i = 0; i < runs; ++i) {
    vantrel::HostsDocument doc;
    const auto start = std::chrono::steady_clock::now();
    const vantrel::ReadResult r = vantrel::ReadHostsFile(argv[1], doc);
    const auto end = std::chrono::steady_clock::now();
    if (r.outcome != vantrel::ReadOutcome::Loaded) {
      std::fprintf(stderr, "not loaded: %s\n", r.reason.c_str());
      return 1;
    }
    entries = doc.EntryCount();
    ms.push_back(std::chrono::duration<double, std::milli>(end - start).count());
  }
  std::sort(ms.begin(), ms.end());
  std::printf("read %d entries: median %.1f ms (min %.1f, max %.1f, %d runs)\n", entries,
              ms[ms.size() / 2], ms.front(), ms.back(), runs);
  return 0;
}
