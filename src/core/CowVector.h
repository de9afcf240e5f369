// A vector whose elements two owners can hold as one array. With a
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
#include <vector>

namespace vantrel {

template <class T>
class CowVector {
 public:
  CowVector() = default;
  explicit CowVector(std::vector<T> items)
      : items_(std::make_shared<std::vector<T>>(std::move(items))) {}
  CowVector(const CowVector& other)
      : items_(other.items_ ? std::make_shared<std::vector<T>>(*other.items_) : nullptr) {}
  CowVector(CowVector&& other) noexcept = default;
  CowVector& operator=(const CowVector& other) {
    if (this != &other) *this = CowVector(other);
    return *this;
  }
  CowVector& operator=(CowVector&& other) noexcept = default;

  const std::vector<T>& Read() const { return items_ ? *items_ : Empty(); }

  // The elements, to change: copied first while another owner holds them,
  // with room for at least room elements then.
  std::vector<T>& Own(size_t room = 0) {
    if (!items_) {
      items_ = std::make_shared<std::vector<T>>();
    } else if (items_.use_count() > 1) {
      auto copy = std::make_shared<std::vector<T>>();
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
  void Assign(std::vector<T> items) {
    if (items_ && items_.use_count() == 1) {
      *items_ = std::move(items);
    } else {
      items_ = std::make_shared<std::vector<T>>(std::move(items));
    }
  }
  // Hands the elements over (a copy of them while shared) and is left empty.
  std::vector<T> Take() {
    if (!items_) return {};
    std::vector<T> items = items_.use_count() > 1 ? *items_ : std::move(*items_);
    items_.reset();
    return items;
  }

 private:
  static const std::vector<T>& Empty() {
    static const std::vector<T> empty;
    return empty;
  }

  std::shared_ptr<std::vector<T>> items_;
};

}  // namespace vantrel
