#include <sys/mman.h>

#include <cstdint>

#include "core/LargeMemory.h"

namespace vantrel {

namespace {
constexpr uintptr_t kLargePage = uintptr_t{2} << 20;
}  // namespace

void* AllocateLarge(size_t bytes) {
  void* block = ::operator new(bytes, std::nothrow);
  if (!block) return nullptr;
  // The whole large pages inside the block may come as such. Only a hint:
  // without them the block works all the same.
  const auto at = reinterpret_cast<uintptr_t>(block);
  const uintptr_t begin = (at + kLargePage - 1) & ~(kLargePage - 1);
  const uintptr_t end = (at + bytes) & ~(kLargePage - 1);
  if (end > begin) madvise(reinterpret_cast<void*>(begin), end - begin, MADV_HUGEPAGE);
  return block;
}

}  // namespace vantrel
