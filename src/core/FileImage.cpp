#include "core/FileImage.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>
#include <new>

namespace vantrel {
namespace {

std::string ReasonForErrno(int error) {
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

// The file's status with a 64-bit size, on Windows too.
#ifdef _WIN32
using FileStatus = struct _stati64;
int ReadStatus(const std::string& path, FileStatus& info) { return _stati64(path.c_str(), &info); }
#else
using FileStatus = struct stat;
int ReadStatus(const std::string& path, FileStatus& info) { return stat(path.c_str(), &info); }
#endif

struct FileCloser {
  void operator()(std::FILE* f) const { std::fclose(f); }
};

bool ReadInto(const std::string& path, size_t sizeHint, LargeVector<char>& bytes,
              std::string& reason) {
  std::unique_ptr<std::FILE, FileCloser> file(std::fopen(path.c_str(), "rb"));
  if (!file) {
    reason = ReasonForErrno(errno);
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
    reason = error != 0 ? ReasonForErrno(error) : "The file could not be read.";
    return false;
  }
  return true;
}

ReadOutcome TooLarge(std::string& reason) {
  reason = kFileTooLargeReason;
  return ReadOutcome::TooLarge;
}

}  // namespace

void FileImage::Clear() {
  bytes_ = {};
  skipped_ = 0;
}

void FileImage::Assign(std::string_view text) {
  Clear();
  bytes_.assign(text.begin(), text.end());
}

ReadOutcome FileImage::Load(const std::string& path, std::string& reason) {
  Clear();
  FileStatus info{};
  if (ReadStatus(path, info) != 0) {
    // Too large for the size to be told is too large to be held.
    if (errno == EOVERFLOW) return TooLarge(reason);
    reason = ReasonForErrno(errno);
    return ReadOutcome::Unreadable;
  }
  if (S_ISDIR(info.st_mode)) {
    reason = ReasonForErrno(EISDIR);
    return ReadOutcome::Unreadable;
  }
  if (static_cast<uint64_t>(info.st_size) > kMaxFileBytes) return TooLarge(reason);
  const size_t sizeHint = info.st_size > 0 ? static_cast<size_t>(info.st_size) : 0;
  if (!ReadInto(path, sizeHint, bytes_, reason)) return ReadOutcome::Unreadable;
  // It may have grown while it was read.
  if (bytes_.size() > kMaxFileBytes) {
    Clear();
    return TooLarge(reason);
  }
  return ReadOutcome::Loaded;
}

}  // namespace vantrel
