#include "support/FailingAllocator.h"

#include <atomic>
#include <cstdlib>
#include <new>

namespace vantrel::test {
namespace {

std::atomic<uint64_t> countdown{0};  // allocations until the one that fails; 0 none
std::atomic<bool> failed{false};
thread_local int spared = 0;

bool ShouldFail() {
  if (spared > 0) return false;
  uint64_t left = countdown.load();
  while (left != 0) {
    if (countdown.compare_exchange_weak(left, left - 1)) {
      if (left != 1) return false;
      failed = true;
      return true;
    }
  }
  return false;
}

}  // namespace

void FailAllocation(uint64_t n) {
  if (n != 0) failed = false;
  countdown = n;
}

bool AllocationFailed() { return failed; }

SparedAllocations::SparedAllocations() { ++spared; }
SparedAllocations::~SparedAllocations() { --spared; }

namespace {

void* Allocate(std::size_t size) noexcept {
  if (ShouldFail()) return nullptr;
  return std::malloc(size == 0 ? 1 : size);
}

void* AllocateOrThrow(std::size_t size) {
  if (void* block = Allocate(size)) return block;
  throw std::bad_alloc();
}

}  // namespace
}  // namespace vantrel::test

void* operator new(std::size_t size) { return vantrel::test::AllocateOrThrow(size); }
void* operator new[](std::size_t size) { return vantrel::test::AllocateOrThrow(size); }
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
  return vantrel::test::Allocate(size);
}
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept {
  return vantrel::test::Allocate(size);
}
void operator delete(void* block) noexcept { std::free(block); }
void operator delete[](void* block) noexcept { std::free(block); }
void operator delete(void* block, std::size_t) noexcept { std::free(block); }
void operator delete[](void* block, std::size_t) noexcept { std::free(block); }
void operator delete(void* block, const std::nothrow_t&) noexcept { std::free(block); }
void operator delete[](void* block, const std::nothrow_t&) noexcept { std::free(block); }
