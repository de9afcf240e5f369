// A BigVector whose elements two owners can hold as one array. With a
// million entries each copy of the entry array is megabytes of fresh memory,
// and some copies are only ever read: those are shared instead. Reading
// never copies; the first change to a shared array gives the one changed its
// own copy, so neither owner ever sees the other's changes.
//
// Only Share makes two owners use one array: an ordinary copy is a copy.
// A pointer or reference taken from Own stays good only until the array is
// next shared.
#pragma once

#include <algorithm>
#include <memory>
#include <utility>

#include "core/BigPages.h"

namespace vantrel {

template <class T>
class CowVector {
 public:
  CowVector() = default;
  explicit CowVector(BigVector<T> items)
      : items_(std::make_shared<BigVector<T>>(std::move(items))) {}
  CowVector(const CowVector& other)
      : items_(other.items_ ? std::make_shared<BigVector<T>>(*other.items_) : nullptr) {}
  CowVector(CowVector&& other) noexcept = default;
  CowVector& operator=(const CowVector& other) {
    if (this != &other) *this = CowVector(other);
    return *this;
  }
  CowVector& operator=(CowVector&& other) noexcept = default;

  const BigVector<T>& Read() const { return items_ ? *items_ : Empty(); }

  // The elements, to change: copied first while another owner holds them,
  // with room for at least room elements then.
  BigVector<T>& Own(size_t room = 0) {
    if (!items_) {
      items_ = std::make_shared<BigVector<T>>();
    } else if (items_.use_count() > 1) {
      auto copy = std::make_shared<BigVector<T>>();
      copy->reserve(std::max(room, items_->size()));
      copy->assign(items_->begin(), items_->end());
      items_ = std::move(copy);
    }
    return *items_;
  }

  // Holds other's elements from now on, without copying them.
  void Share(const CowVector& other) { items_ = other.items_; }
  bool Shares(const CowVector& other) const { return items_ && items_ == other.items_; }

  // No elements. A sole owner keeps its room; a shared array is left to the
  // other owner rather than copied only to be emptied.
  void Clear() {
    if (items_ && items_.use_count() == 1) {
      items_->clear();
    } else {
      items_.reset();
    }
  }
  void Assign(BigVector<T> items) {
    if (items_ && items_.use_count() == 1) {
      *items_ = std::move(items);
    } else {
      items_ = std::make_shared<BigVector<T>>(std::move(items));
    }
  }
  // Hands the elements over (a copy of them while shared) and is left empty.
  BigVector<T> Take() {
    if (!items_) return {};
    BigVector<T> items = items_.use_count() > 1 ? *items_ : std::move(*items_);
    items_.reset();
    return items;
  }

 private:
  static const BigVector<T>& Empty() {
    static const BigVector<T> empty;
    return empty;
  }

  std::shared_ptr<BigVector<T>> items_;
};

}  // namespace vantrel
