// A dynamic array whose elements are numbered from 1, as the document's
// arrays are. Element k lives at storage index k - 1; nothing else in the
// program does that arithmetic.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <utility>
#include <vector>

#include "core/CowVector.h"

namespace vantrel {

// A value never handed out before, for OneBased::Restamp.
inline uint64_t NextStamp() {
  static uint64_t last = 0;  // the program has one thread
  return ++last;
}

template <class T>
class OneBased {
 public:
  OneBased() = default;
  explicit OneBased(std::vector<T> items) : items_(std::move(items)) {}
  // A copy, or an array moved in, starts without a stamp.
  OneBased(const OneBased& other) : items_(other.items_) {}
  OneBased(OneBased&& other) noexcept : items_(std::move(other.items_)) { other.stamp_ = 0; }
  OneBased& operator=(const OneBased& other) {
    items_ = other.items_;
    stamp_ = 0;
    return *this;
  }
  OneBased& operator=(OneBased&& other) noexcept {
    items_ = std::move(other.items_);
    stamp_ = 0;
    other.stamp_ = 0;
    return *this;
  }

  // Holds other's elements as a copy would, but without copying them: the
  // two use one array until either is changed. Starts without a stamp.
  void ShareWith(const OneBased& other) {
    items_.Share(other.items_);
    stamp_ = 0;
  }
  const CowVector<T>& Storage() const { return items_; }

  // Names the present contents: Restamp hands out a new value, and every
  // access that could change an element (any non-const one) sets it back to
  // 0. So an unchanged non-zero stamp proves that nothing was changed since
  // Restamp; a job can then trust what it derived from the array.
  uint64_t Stamp() const { return stamp_; }
  uint64_t Restamp() { return stamp_ = NextStamp(); }

  int32_t Count() const { return static_cast<int32_t>(items_.Read().size()); }
  bool Empty() const { return items_.Read().empty(); }

  // Element k, 1 <= k <= Count().
  T& operator()(int32_t k) {
    stamp_ = 0;
    return items_.Own().at(Index(k));
  }
  const T& operator()(int32_t k) const { return items_.Read().at(Index(k)); }

  // Grows or shrinks to n elements, keeping the first ones.
  void Resize(int32_t n) {
    stamp_ = 0;
    const size_t size = static_cast<size_t>(n < 0 ? 0 : n);
    items_.Own(size).resize(size);
  }
  // Drops every element, then allocates n empty ones.
  void Reallocate(int32_t n) {
    items_.Clear();
    Resize(n);
  }
  void Clear() {
    stamp_ = 0;
    items_.Clear();
  }
  void Append(T value) {
    stamp_ = 0;
    std::vector<T>& items = items_.Own(items_.Read().size() + 1);
    items.push_back(std::move(value));
  }

  // Whatever changes go through these may be made through the elements'
  // addresses too: the array is this one's own until it is next shared.
  std::vector<T>& Items() {
    stamp_ = 0;
    return items_.Own();
  }
  const std::vector<T>& Items() const { return items_.Read(); }
  auto begin() {
    stamp_ = 0;
    return items_.Own().begin();
  }
  auto end() {
    stamp_ = 0;
    return items_.Own().end();
  }
  auto begin() const { return items_.Read().begin(); }
  auto end() const { return items_.Read().end(); }

  bool operator==(const OneBased& other) const { return items_.Read() == other.items_.Read(); }

 private:
  static size_t Index(int32_t k) {
    if (k < 1) throw std::out_of_range("element index below 1");
    return static_cast<size_t>(k) - 1;
  }

  CowVector<T> items_;
  uint64_t stamp_ = 0;
};

}  // namespace vantrel
