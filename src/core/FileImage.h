// A file's bytes in memory, read from disk in one trip.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/LargeMemory.h"

namespace vantrel {

enum class ReadOutcome { Loaded, Empty, Unreadable, TooLarge };

// The most bytes a file may have: every item takes at least one, so this
// bounds every 32-bit counter of the document.
inline constexpr uint64_t kMaxFileBytes = 2147483647;
inline constexpr const char* kFileTooLargeReason =
    "The file is larger than 2,147,483,647 bytes (2 GB), the most that can be opened.";

class FileImage {
 public:
  // Reads the file at path (bytes in the system code page): Loaded, or
  // Unreadable or TooLarge with a short sentence a user can act on in
  // reason. A file past kMaxFileBytes is refused by its size, before any of
  // it is read. Throws std::bad_alloc when the bytes do not fit in memory.
  ReadOutcome Load(const std::string& path, std::string& reason);
  // Holds a copy of text.
  void Assign(std::string_view text);
  void Clear();

  // The bytes, less any set aside at the start. Moving the image keeps them
  // where they are, so views into them stay valid.
  std::string_view Text() const { return {bytes_.data() + skipped_, bytes_.size() - skipped_}; }
  // The same bytes, for changing in place.
  char* Data() { return bytes_.data() + skipped_; }
  // Sets the first n bytes aside (at most all of them).
  void SetAsideFront(size_t n) { skipped_ += std::min(n, bytes_.size() - skipped_); }

 private:
  LargeVector<char> bytes_;
  size_t skipped_ = 0;
};

}  // namespace vantrel
