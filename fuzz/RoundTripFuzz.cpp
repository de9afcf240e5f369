// libFuzzer target: any bytes read, written with every choice, read again;
// and with an address made of its first bytes.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "FuzzChecks.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  std::string problem = vantrel::fuzz::CheckRoundTrip(bytes);
  if (problem.empty()) problem = vantrel::fuzz::CheckTypedAddress(bytes);
  if (!problem.empty()) {
    std::fprintf(stderr, "round trip check failed: %s\n", problem.c_str());
    std::abort();
  }
  return 0;
}
