// The file operations over POSIX calls, for the native build.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstring>
#include <memory>
#include <utility>

#include "save/FileSystem.h"

namespace vantrel {

namespace {

FsStatus FromErrno(int error) {
  static constexpr std::pair<int, FsError> kErrors[] = {
      {EACCES, FsError::AccessDenied},  {EPERM, FsError::AccessDenied},
      {EROFS, FsError::ReadOnly},       {ENOSPC, FsError::DiskFull},
      {EDQUOT, FsError::DiskFull},      {EFBIG, FsError::DiskFull},
      {ENOENT, FsError::FolderMissing}, {ENOTDIR, FsError::FolderMissing},
      {EISDIR, FsError::IsFolder},      {ETXTBSY, FsError::InUse},
      {EBUSY, FsError::InUse},
  };
  for (const auto& [code, kind] : kErrors) {
    if (code == error) return FsStatus::Fail(kind);
  }
  return FsStatus::Fail(FsError::Other, std::strerror(error));
}

FsStatus Checked(bool ok) { return ok ? FsStatus::Ok() : FromErrno(errno); }

std::string FolderOf(const std::string& path) {
  const size_t slash = path.find_last_of('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : path.substr(0, slash);
}

// The file a path names through any symbolic links, so that saving leaves a
// link a link. A dangling link names the file saving creates; a loop is left
// for the calls on it to report.
std::string ThroughLinks(const std::string& path) {
  std::string at = path;
  for (int hops = 0; hops < 40; ++hops) {
    struct stat st {};
    if (lstat(at.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return at;
    std::string link(4096, '\0');
    const ssize_t size = readlink(at.c_str(), link.data(), link.size());
    if (size <= 0 || static_cast<size_t>(size) >= link.size()) return at;
    link.resize(static_cast<size_t>(size));
    at = link.front() == '/' ? link : FolderOf(at) + "/" + link;
  }
  return path;
}

class PosixFileSystem final : public FileSystem {
 public:
  FsStatus Inspect(const std::string& link, TargetInfo& info) override {
    info = {};
    const std::string path = ThroughLinks(link);
    struct stat st {};
    if (stat(path.c_str(), &st) != 0) {
      if (errno != ENOENT) return FromErrno(errno);
      struct stat folder {};
      if (stat(FolderOf(path).c_str(), &folder) != 0 || !S_ISDIR(folder.st_mode)) {
        return FsStatus::Fail(FsError::FolderMissing);
      }
      return FsStatus::Ok();
    }
    info.exists = true;
    info.isFolder = S_ISDIR(st.st_mode);
    info.readOnly = !info.isFolder && access(path.c_str(), W_OK) != 0;
    return FsStatus::Ok();
  }

  FsStatus CreateTemp(const std::string& link, std::string& tempPath, FileId& file) override {
    static std::atomic<unsigned> counter{0};
    // Beside the file itself, so that replacing it is a rename.
    const std::string target = ThroughLinks(link);
    // The new file starts with the target's permissions.
    mode_t mode = 0644;
    struct stat st {};
    if (stat(target.c_str(), &st) == 0) mode = st.st_mode & 07777;
    for (int attempt = 0; attempt < 100; ++attempt) {
      std::string path = target + ".~" + std::to_string(getpid()) + "-" +
                         std::to_string(counter.fetch_add(1)) + ".tmp";
      const int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
      if (fd < 0) {
        if (errno == EEXIST) continue;
        return FromErrno(errno);
      }
      fchmod(fd, mode);
      tempPath = std::move(path);
      file = fd;
      return FsStatus::Ok();
    }
    return FsStatus::Fail(FsError::Other, "no free name for a temporary file");
  }

  FsStatus Write(FileId file, const char* data, size_t size, size_t& written) override {
    written = 0;
    while (written < size) {
      const ssize_t n = write(static_cast<int>(file), data + written, size - written);
      if (n < 0) {
        if (errno == EINTR) continue;
        return FromErrno(errno);
      }
      if (n == 0) break;
      written += static_cast<size_t>(n);
    }
    // Starts writing the pages out now, so that the flush at the end finds
    // little left to wait for.
    sync_file_range(static_cast<int>(file), 0, 0, SYNC_FILE_RANGE_WRITE);
    return FsStatus::Ok();
  }

  FsStatus Flush(FileId file) override { return Checked(fsync(static_cast<int>(file)) == 0); }
  FsStatus Close(FileId file) override { return Checked(close(static_cast<int>(file)) == 0); }

  FsStatus Replace(const std::string& tempPath, const std::string& link, bool) override {
    const std::string target = ThroughLinks(link);
    // Named first: once the file is replaced, nothing may fail.
    const std::string folderPath = FolderOf(target);
    if (rename(tempPath.c_str(), target.c_str()) != 0) return FromErrno(errno);
    // Make the rename itself durable.
    const int folder = open(folderPath.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folder >= 0) {
      fsync(folder);
      close(folder);
    }
    return FsStatus::Ok();
  }

  FsStatus Remove(const std::string& path) override {
    return Checked(unlink(path.c_str()) == 0 || errno == ENOENT);
  }

  FsStatus OpenExisting(const std::string& path, FileId& file) override {
    const int fd = open(path.c_str(), O_RDWR | O_CLOEXEC);
    if (fd < 0) return FromErrno(errno);
    file = fd;
    return FsStatus::Ok();
  }

  FsStatus ReadAll(FileId file, std::string& bytes) override {
    bytes.clear();
    const int fd = static_cast<int>(file);
    if (lseek(fd, 0, SEEK_SET) != 0) return FromErrno(errno);
    char buffer[1 << 16];
    for (;;) {
      const ssize_t n = read(fd, buffer, sizeof buffer);
      if (n < 0) {
        if (errno == EINTR) continue;
        return FromErrno(errno);
      }
      if (n == 0) return FsStatus::Ok();
      bytes.append(buffer, static_cast<size_t>(n));
    }
  }

  FsStatus Truncate(FileId file) override {
    const int fd = static_cast<int>(file);
    return Checked(ftruncate(fd, 0) == 0 && lseek(fd, 0, SEEK_SET) == 0);
  }

  FsStatus Size(FileId file, uint64_t& size) override {
    struct stat st {};
    if (fstat(static_cast<int>(file), &st) != 0) return FromErrno(errno);
    size = static_cast<uint64_t>(st.st_size);
    return FsStatus::Ok();
  }
};

}  // namespace

FileSystem& NativeFileSystem() {
  static PosixFileSystem fs;
  return fs;
}

// No other program holds a file here the way Windows lets one.
std::unique_ptr<FileSystem> NativeFileSystemPausing(Pause) {
  return std::make_unique<PosixFileSystem>();
}

}  // namespace vantrel
