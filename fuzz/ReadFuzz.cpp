// libFuzzer target: any bytes through the reader.
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "FuzzChecks.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string problem = vantrel::fuzz::CheckRead({reinterpret_cast<const char*>(data), size});
  if (!problem.empty()) {
    std::fprintf(stderr, "read check failed: %s\n", problem.c_str());
    std::abort();
  }
  return 0;
}
