// A file's bytes in memory, read from disk in one trip, and room beside them
// for texts made from them.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "core/BigPages.h"

namespace vantrel {

class FileImage {
 public:
  FileImage() = default;
  FileImage(const FileImage&) = delete;
  FileImage& operator=(const FileImage&) = delete;
  // Moving keeps the bytes where they are, so views into them stay valid.
  FileImage(FileImage&& other) noexcept { Take(other); }
  FileImage& operator=(FileImage&& other) noexcept {
    if (this != &other) {
      Clear();
      Take(other);
    }
    return *this;
  }
  ~FileImage() { Clear(); }

  // Reads the file at path (bytes in the system code page). Where the system
  // allows it, a regular file's pages are mapped rather than copied: the
  // system already holds them, and memory a process has not used yet is the
  // dearest part of reading a large file. On failure returns false and sets
  // reason to a short sentence a user can act on; throws std::bad_alloc
  // when the bytes do not fit in memory.
  bool Load(const std::string& path, std::string& reason);
  // Holds a copy of text.
  void Assign(std::string_view text);
  void Clear();

  // The bytes, less any set aside at the start.
  std::string_view Text() const { return {data_ + skipped_, size_ - skipped_}; }
  // Sets the first n bytes aside (at most all of them).
  void SetAsideFront(size_t n) { skipped_ += n < size_ - skipped_ ? n : size_ - skipped_; }

  // The bytes of Text() for changing in place, or null when they are only
  // to be read (a mapped file).
  char* Writable() const { return mapped_ ? nullptr : data_ + skipped_; }
  // While the bytes are only to be read: room for as many bytes as Text()
  // holds, untouched until written, in the same stretch of memory as them.
  char* Room() const { return room_; }

 private:
  void Take(FileImage& other);
  // Holds nothing, without giving back what it held.
  void Forget();
  bool Map(int fd, size_t size);

  BigVector<char> owned_;   // the bytes, when they were copied
  char* data_ = nullptr;    // the bytes, copied or mapped
  size_t size_ = 0;         // how many
  size_t skipped_ = 0;      // set aside at the start
  char* mapped_ = nullptr;  // the mapping of the bytes and the room, if mapped
  size_t mappedLength_ = 0;
  char* room_ = nullptr;
};

}  // namespace vantrel
