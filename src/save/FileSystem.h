// The few file operations that saving needs, behind an interface: the
// program uses the operating system's, tests use one that fails on command.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
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
  // Written in place, and the old bytes could not be put back: the file may
  // hold neither the old content nor the new.
  bool targetChanged = false;

  static FsStatus Ok() { return {}; }
  static FsStatus Fail(FsError error, std::string detail = {}) {
    return {error, std::move(detail), false};
  }
  bool ok() const { return error == FsError::None; }
};

// A sentence a user can act on.
std::string ReasonFor(const FsStatus& status);

struct TargetInfo {
  bool exists = false;
  bool isFolder = false;
  bool readOnly = false;
  // False when the file may be written but not deleted or renamed, so that
  // no new file can take its place.
  bool replaceable = true;
};

// Milliseconds to wait before each new attempt at a file that another
// program holds for a moment (a virus scanner, an indexer): about a second
// in all.
inline constexpr std::array<uint32_t, 8> kBusyPauses = {10, 20, 40, 80, 150, 250, 250, 250};
using Pause = std::function<void(uint32_t milliseconds)>;

// Runs attempt until it succeeds, fails in a way that passes() does not
// expect to pass, or the pauses of kBusyPauses are used up; the last result.
FsStatus RetryWhileBusy(const std::function<FsStatus()>& attempt,
                        const std::function<bool(const FsStatus&)>& passes, const Pause& pause);

class FileSystem {
 public:
  using FileId = std::intptr_t;
  static constexpr FileId kNoFile = -1;

  virtual ~FileSystem() = default;

  // What is at path now. Fails when the file exists but could be neither
  // replaced nor written (in use, access denied) or its folder does not
  // exist; one that may only be written is replaceable false.
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

  // For writing a file in place, where no new file can take its place:
  // opens the existing file for reading and writing, keeping its content.
  virtual FsStatus OpenExisting(const std::string& path, FileId& file) = 0;
  // The whole content, read from the start; writing would go on at its end.
  virtual FsStatus ReadAll(FileId file, std::string& bytes) = 0;
  // Cuts the file to nothing; writing goes on from its start.
  virtual FsStatus Truncate(FileId file) = 0;
  // The size the system has for the file now.
  virtual FsStatus Size(FileId file, uint64_t& size) = 0;
};

// The operating system's.
FileSystem& NativeFileSystem();
// The same calls, with pause instead of sleeping while a file is busy.
std::unique_ptr<FileSystem> NativeFileSystemPausing(Pause pause);

}  // namespace vantrel
