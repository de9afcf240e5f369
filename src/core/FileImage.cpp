#include "core/FileImage.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>
#include <new>

#if defined(__linux__)
#include <fcntl.h>
#include <sys/mman.h>
#include <unistd.h>
#endif

namespace vantrel {

namespace {

std::string ReasonFor(int error) {
  switch (error) {
    case ENOENT:
      return "The file does not exist.";
    case EACCES:
    case EPERM:
      return "Access to the file is denied.";
    case EISDIR:
      return "It is a folder, not a file.";
    case EMFILE:
    case ENFILE:
      return "Too many files are open.";
    default:
      return std::strerror(error);
  }
}

struct FileCloser {
  void operator()(std::FILE* f) const { std::fclose(f); }
};

// Reads the whole file into bytes.
bool ReadInto(const std::string& path, size_t sizeHint, BigVector<char>& bytes,
              std::string& reason) {
  std::unique_ptr<std::FILE, FileCloser> file(std::fopen(path.c_str(), "rb"));
  if (!file) {
    reason = ReasonFor(errno);
    return false;
  }
  // The size is only a hint: the file may grow or shrink while it is read.
  size_t chunk = sizeHint > 0 ? sizeHint + 1 : size_t{1} << 16;
  size_t used = 0;
  for (;;) {
    bytes.resize(used + chunk);
    const size_t got = std::fread(bytes.data() + used, 1, chunk, file.get());
    used += got;
    if (got < chunk) break;
    chunk = size_t{1} << 20;
  }
  const bool failed = std::ferror(file.get()) != 0;
  const int error = errno;
  bytes.resize(used);
  if (failed) {
    bytes = {};
    reason = error != 0 ? ReasonFor(error) : "The file could not be read.";
    return false;
  }
  return true;
}

}  // namespace

void FileImage::Take(FileImage& other) {
  owned_ = std::move(other.owned_);
  data_ = other.mapped_ ? other.data_ : owned_.data();
  size_ = other.size_;
  skipped_ = other.skipped_;
  mapped_ = other.mapped_;
  mappedLength_ = other.mappedLength_;
  room_ = other.room_;
  other.Forget();
}

void FileImage::Forget() {
  owned_ = {};
  data_ = nullptr;
  size_ = skipped_ = mappedLength_ = 0;
  mapped_ = room_ = nullptr;
}

void FileImage::Clear() {
#if defined(__linux__)
  if (mapped_) munmap(mapped_, mappedLength_);
#endif
  Forget();
}

void FileImage::Assign(std::string_view text) {
  Clear();
  owned_.assign(text.begin(), text.end());
  data_ = owned_.data();
  size_ = owned_.size();
}

#if defined(__linux__)

// One stretch of addresses holds the file's pages, read-only, and after them
// the room, which takes memory only where it is written.
bool FileImage::Map(int fd, size_t size) {
  const auto page = static_cast<size_t>(sysconf(_SC_PAGESIZE));
  const size_t fileLength = (size + page - 1) / page * page;
  const size_t length = 2 * fileLength;
  void* block = mmap(nullptr, length, PROT_READ | PROT_WRITE,
                     MAP_PRIVATE | MAP_ANONYMOUS | MAP_NORESERVE, -1, 0);
  if (block == MAP_FAILED) return false;
  if (mmap(block, size, PROT_READ, MAP_PRIVATE | MAP_FIXED | MAP_POPULATE, fd, 0) == MAP_FAILED) {
    munmap(block, length);
    return false;
  }
  mapped_ = static_cast<char*>(block);
  mappedLength_ = length;
  data_ = mapped_;
  size_ = size;
  room_ = mapped_ + fileLength;
  return true;
}

#endif

bool FileImage::Load(const std::string& path, std::string& reason) {
  Clear();
  struct stat info {};
  if (stat(path.c_str(), &info) != 0) {
    // Too large for the size to be told is too large to be held.
    if (errno == EOVERFLOW) throw std::bad_alloc();
    reason = ReasonFor(errno);
    return false;
  }
  if (S_ISDIR(info.st_mode)) {
    reason = ReasonFor(EISDIR);
    return false;
  }
  const size_t sizeHint = info.st_size > 0 ? static_cast<size_t>(info.st_size) : 0;
#if defined(__linux__)
  if (S_ISREG(info.st_mode) && sizeHint > 0) {
    const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
      reason = ReasonFor(errno);
      return false;
    }
    struct stat opened {};
    const bool mapped = fstat(fd, &opened) == 0 && S_ISREG(opened.st_mode) && opened.st_size > 0 &&
                        Map(fd, static_cast<size_t>(opened.st_size));
    close(fd);
    // Where the file cannot be mapped, it is read as any other.
    if (mapped) return true;
  }
#endif
  if (!ReadInto(path, sizeHint, owned_, reason)) return false;
  data_ = owned_.data();
  size_ = owned_.size();
  return true;
}

}  // namespace vantrel
