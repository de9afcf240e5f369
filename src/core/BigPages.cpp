#include "core/BigPages.h"

#include <algorithm>
#include <cstdint>
#include <new>

#if defined(__linux__)
#include <sys/mman.h>
#endif

#include "core/Parallel.h"

namespace vantrel {

#if defined(__linux__)

namespace {

constexpr size_t kHugePage = size_t{2} << 20;

size_t RoundUp(size_t size, size_t unit) { return (size + unit - 1) / unit * unit; }

}  // namespace

constexpr size_t kPage = 4096;

// The length of the mapping for a block of size bytes. A large block ends on
// a huge page, which it all but fills; a smaller one ends on an ordinary
// page, so that it holds no memory it never uses.
size_t MappedLength(size_t size) {
  constexpr size_t kAllHuge = 8 * kHugePage;
  return RoundUp(size, size >= kAllHuge ? kHugePage : kPage);
}

// Every page of a new block is about to be written, and asking for all of
// them at once costs a small part of taking one fault per page, which on a
// virtual machine can be most of the time of a job. Memory the machine has
// not used lately can still cost a millisecond per MiB of a core's time to
// get: the cores share that work for any block of a few huge pages.
void Populate(char* block, size_t length) {
#if defined(MADV_POPULATE_WRITE)
  constexpr size_t kWorthSharing = 2 * kHugePage;
  const size_t parts = length < kWorthSharing ? 1 : Cores();
  const size_t part = RoundUp((length + parts - 1) / parts, kHugePage);
  RunPieces(parts, [&](size_t i) {
    const size_t from = std::min(length, i * part);
    const size_t to = std::min(length, from + part);
    if (to > from) madvise(block + from, to - from, MADV_POPULATE_WRITE);
  });
#else
  (void)block;
  (void)length;
#endif
}

// Maps one huge page more than needed, so that the block can start on a huge
// page boundary, and hands the unused ends back.
void* AllocateBig(size_t size) {
  const size_t length = MappedLength(size);
  const size_t mapped = length + kHugePage;
  void* raw = mmap(nullptr, mapped, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
  if (raw == MAP_FAILED) return nullptr;
  const auto start = reinterpret_cast<uintptr_t>(raw);
  const uintptr_t aligned = RoundUp(start, kHugePage);
  if (aligned > start) munmap(raw, aligned - start);
  const uintptr_t end = start + mapped;
  if (end > aligned + length)
    munmap(reinterpret_cast<void*>(aligned + length), end - aligned - length);
  void* block = reinterpret_cast<void*>(aligned);
  // Only hints: without them the block still works, just slower. Only the
  // whole huge pages are marked: a marked tail could be served by a huge
  // page that reaches past the block.
  if (const size_t huge = length / kHugePage * kHugePage; huge > 0) {
    madvise(block, huge, MADV_HUGEPAGE);
  }
  Populate(static_cast<char*>(block), length);
  return block;
}

void ReleaseBig(void* block, size_t size) {
  if (block) munmap(block, MappedLength(size));
}

// The pages go back but the addresses stay reserved: were they unmapped, the
// system could hand them to another mapping, which the release of the whole
// block would then unmap too.
void ShrinkBig(void* block, size_t size, size_t keep) {
  if (!block || size < kBigBlock) return;  // not a block of ours
  const size_t from = RoundUp(keep, kPage);
  const size_t to = MappedLength(size);
  if (from < to) madvise(static_cast<char*>(block) + from, to - from, MADV_DONTNEED);
}

#else

// The ordinary heap, through operator new like every other allocation.
void* AllocateBig(size_t size) { return ::operator new(size, std::nothrow); }

void ReleaseBig(void* block, size_t) { ::operator delete(block); }

void ShrinkBig(void*, size_t, size_t) {}

#endif

}  // namespace vantrel
