#include "core/FileBytes.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>

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

}  // namespace

bool ReadFileBytes(const std::string& path, Bytes& bytes, std::string& reason) {
  bytes.clear();
  struct stat info {};
  if (stat(path.c_str(), &info) != 0) {
    reason = ReasonFor(errno);
    return false;
  }
  if (S_ISDIR(info.st_mode)) {
    reason = ReasonFor(EISDIR);
    return false;
  }
  std::unique_ptr<std::FILE, FileCloser> file(std::fopen(path.c_str(), "rb"));
  if (!file) {
    reason = ReasonFor(errno);
    return false;
  }
  // The size is only a hint: the file may grow or shrink while it is read.
  size_t chunk = info.st_size > 0 ? static_cast<size_t>(info.st_size) + 1 : size_t{1} << 16;
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
    bytes.clear();
    reason = error != 0 ? ReasonFor(error) : "The file could not be read.";
    return false;
  }
  return true;
}

}  // namespace vantrel
