// A dynamic array whose elements are numbered from 1, as the document's
// arrays are. Element k lives at storage index k - 1; nothing else in the
// program does that arithmetic.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <utility>
#include <vector>

#include "core/BigPages.h"

namespace vantrel {

template <class T>
class OneBased {
 public:
  OneBased() = default;
  explicit OneBased(BigVector<T> items) : items_(std::move(items)) {}
  explicit OneBased(const std::vector<T>& items) : items_(items.begin(), items.end()) {}

  int32_t Count() const { return static_cast<int32_t>(items_.size()); }
  bool Empty() const { return items_.empty(); }

  // Element k, 1 <= k <= Count().
  T& operator()(int32_t k) { return items_.at(Index(k)); }
  const T& operator()(int32_t k) const { return items_.at(Index(k)); }

  // Grows or shrinks to n elements, keeping the first ones.
  void Resize(int32_t n) { items_.resize(static_cast<size_t>(n < 0 ? 0 : n)); }
  // Drops every element, then allocates n empty ones.
  void Reallocate(int32_t n) {
    items_.clear();
    Resize(n);
  }
  void Clear() { items_.clear(); }
  void Append(T value) { items_.push_back(std::move(value)); }

  BigVector<T>& Items() { return items_; }
  const BigVector<T>& Items() const { return items_; }
  auto begin() { return items_.begin(); }
  auto end() { return items_.end(); }
  auto begin() const { return items_.begin(); }
  auto end() const { return items_.end(); }

  bool operator==(const OneBased&) const = default;

 private:
  static size_t Index(int32_t k) {
    if (k < 1) throw std::out_of_range("element index below 1");
    return static_cast<size_t>(k) - 1;
  }

  BigVector<T> items_;
};

}  // namespace vantrel
