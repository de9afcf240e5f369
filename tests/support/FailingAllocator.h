// Makes allocations fail on purpose, as running out of memory would: armed
// with n, the n-th allocation from then on fails (std::bad_alloc, or null
// from the nothrow forms) and every other one is served as usual. Linked
// into a test program, it replaces that program's global operator new.
#pragma once

#include <cstdint>

namespace vantrel::test {

// The n-th allocation from now on fails; 0 makes none fail.
void FailAllocation(uint64_t n);
// Whether the allocation armed last has failed (also once disarmed again).
bool AllocationFailed();

// While one lives, this thread's allocations are neither counted nor failed:
// for what the tests' stand-ins for the window record.
class SparedAllocations {
 public:
  SparedAllocations();
  ~SparedAllocations();
  SparedAllocations(const SparedAllocations&) = delete;
  SparedAllocations& operator=(const SparedAllocations&) = delete;
};

}  // namespace vantrel::test
