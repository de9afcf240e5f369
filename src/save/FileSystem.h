// The few file operations that saving needs, behind an interface: the
// program uses the operating system's, tests use one that fails on command.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <utility>

namespace vantrel {

enum class FsError {
  None,
  AccessDenied,
  InUse,
  DiskFull,
  ReadOnly,
  FolderMissing,
  IsFolder,
  Other,
};

struct FsStatus {
  FsError error = FsError::None;
  std::string detail;  // the system's own words, for FsError::Other

  static FsStatus Ok() { return {}; }
  static FsStatus Fail(FsError error, std::string detail = {}) {
    return {error, std::move(detail)};
  }
  bool ok() const { return error == FsError::None; }
};

// A sentence a user can act on.
std::string ReasonFor(const FsStatus& status);

struct TargetInfo {
  bool exists = false;
  bool isFolder = false;
  bool readOnly = false;
};

class FileSystem {
 public:
  using FileId = std::intptr_t;
  static constexpr FileId kNoFile = -1;

  virtual ~FileSystem() = default;

  // What is at path now. Fails when the file exists but could not be
  // replaced (in use, access denied) or its folder does not exist.
  virtual FsStatus Inspect(const std::string& path, TargetInfo& info) = 0;
  // Creates a new, empty file next to target (same folder, so replacing is a
  // rename) and opens it for writing. Leaves no file behind when it fails.
  virtual FsStatus CreateTemp(const std::string& target, std::string& tempPath, FileId& file) = 0;
  // Writes size bytes; written tells how many reached the file, which may be
  // fewer even when the call reports success (a full disk).
  virtual FsStatus Write(FileId file, const char* data, size_t size, size_t& written) = 0;
  virtual FsStatus Flush(FileId file) = 0;
  virtual FsStatus Close(FileId file) = 0;
  // Puts the closed temp file in target's place in one step, keeping
  // target's attributes. On failure target is as it was.
  virtual FsStatus Replace(const std::string& tempPath, const std::string& target,
                           bool targetExists) = 0;
  // Deletes path; a file that is not there counts as deleted.
  virtual FsStatus Remove(const std::string& path) = 0;
};

// The operating system's.
FileSystem& NativeFileSystem();

}  // namespace vantrel
