// libFuzzer target: any bytes read, written with every choice, read again.
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "FuzzChecks.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string problem =
      vantrel::fuzz::CheckRoundTrip({reinterpret_cast<const char*>(data), size});
  if (!problem.empty()) {
    std::fprintf(stderr, "round trip check failed: %s\n", problem.c_str());
    std::abort();
  }
  return 0;
}
