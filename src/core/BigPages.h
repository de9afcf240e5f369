// Memory for the few arrays that grow with the file (its bytes, the entry
// arrays, the sort's scratch). On Linux a fresh 4 KiB page costs a fault on
// first touch, which for tens of megabytes is most of the time of a job;
// large blocks therefore come from the system in huge pages. Small blocks
// and other systems use the ordinary heap.
#pragma once

#include <cstddef>
#include <memory>
#include <new>
#include <vector>

namespace vantrel {

// Blocks of at least this many bytes are worth whole pages of their own.
inline constexpr size_t kBigBlock = size_t{1} << 20;

// A block of size bytes, aligned for any type; nullptr when out of memory.
// Release with the same size.
void* AllocateBig(size_t size);
void ReleaseBig(void* block, size_t size);
// Gives back the memory of a block of size bytes (from BigAllocator) beyond
// its first keep bytes, where the system allows it. The block keeps its
// addresses and stays usable, but what lay past keep is lost. Released as a
// whole later, with its full size.
void ShrinkBig(void* block, size_t size, size_t keep);

template <class T>
struct BigAllocator {
  using value_type = T;

  BigAllocator() = default;
  template <class U>
  BigAllocator(const BigAllocator<U>&) {}

  T* allocate(size_t n) {
    if (n > static_cast<size_t>(-1) / sizeof(T)) throw std::bad_array_new_length();
    const size_t size = n * sizeof(T);
    if (size < kBigBlock) return std::allocator<T>().allocate(n);
    void* block = AllocateBig(size);
    if (!block) throw std::bad_alloc();
    return static_cast<T*>(block);
  }
  void deallocate(T* p, size_t n) {
    const size_t size = n * sizeof(T);
    if (size < kBigBlock) {
      std::allocator<T>().deallocate(p, n);
    } else {
      ReleaseBig(p, size);
    }
  }

  template <class U>
  bool operator==(const BigAllocator<U>&) const {
    return true;
  }
};

template <class T>
using BigVector = std::vector<T, BigAllocator<T>>;

// A block of bytes for scratch use, from the same source as BigAllocator's:
// its room is not cleared.
class BigBuffer {
 public:
  BigBuffer() = default;
  explicit BigBuffer(size_t size) : data_(BigAllocator<char>().allocate(size)), size_(size) {}
  BigBuffer(const BigBuffer&) = delete;
  BigBuffer& operator=(const BigBuffer&) = delete;
  BigBuffer(BigBuffer&& other) noexcept : data_(other.data_), size_(other.size_) {
    other.data_ = nullptr;
    other.size_ = 0;
  }
  BigBuffer& operator=(BigBuffer&& other) noexcept {
    if (this != &other) {
      Release();
      data_ = other.data_;
      size_ = other.size_;
      other.data_ = nullptr;
      other.size_ = 0;
    }
    return *this;
  }
  ~BigBuffer() { Release(); }

  char* data() const { return data_; }
  size_t size() const { return size_; }

 private:
  void Release() {
    if (data_) BigAllocator<char>().deallocate(data_, size_);
  }

  char* data_ = nullptr;
  size_t size_ = 0;
};

}  // namespace vantrel
