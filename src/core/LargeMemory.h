// Memory for the few arrays that grow with the file: its bytes, the entries
// and the sorted list. Where the system offers large pages for them (Linux),
// they get them: touching fresh memory a 4 KiB page at a time costs more
// than the work done on it.
#pragma once

#include <cstddef>
#include <new>
#include <vector>

namespace vantrel {

// A block of at least bytes bytes, aligned for any type; nullptr when out of
// memory. FreeLarge takes it back.
void* AllocateLarge(size_t bytes);
inline void FreeLarge(void* block) noexcept { ::operator delete(block); }

template <class T>
struct LargeAllocator {
  using value_type = T;
  LargeAllocator() = default;
  template <class U>
  LargeAllocator(const LargeAllocator<U>&) {}
  T* allocate(size_t n) {
    if (n > static_cast<size_t>(-1) / sizeof(T)) throw std::bad_array_new_length();
    void* block = AllocateLarge(n * sizeof(T));
    if (!block) throw std::bad_alloc();
    return static_cast<T*>(block);
  }
  void deallocate(T* p, size_t) noexcept { FreeLarge(p); }
  template <class U>
  bool operator==(const LargeAllocator<U>&) const {
    return true;
  }
};

template <class T>
using LargeVector = std::vector<T, LargeAllocator<T>>;

}  // namespace vantrel
