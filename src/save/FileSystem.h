// The file operations saving needs: the system's, or a test's that fails on command.
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
  Other
};

struct FsStatus {
  FsError error = FsError::None;
  std::string detail;          // the system's own words, for FsError::Other
  bool targetChanged = false;  // written in place, and the old bytes could not be put back

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
  bool replaceable = true;  // false: may be written, but not deleted or renamed
};

// Milliseconds to wait before each new attempt at a file another program
// holds for a moment (a virus scanner, an indexer).
inline constexpr std::array<uint32_t, 8> kBusyPauses = {10, 20, 40, 80, 150, 250, 250, 250};
using Pause = std::function<void(uint32_t milliseconds)>;

// Runs attempt until it succeeds, fails in a way passes() rejects, or the
// pauses run out; the last result.
FsStatus RetryWhileBusy(const std::function<FsStatus()>& attempt,
                        const std::function<bool(const FsStatus&)>& passes, const Pause& pause);

class FileSystem {
 public:
  using FileId = std::intptr_t;
  static constexpr FileId kNoFile = -1;

  virtual ~FileSystem() = default;

  // What is at path now. Fails when the file can be neither replaced nor
  // written, or its folder does not exist.
  virtual FsStatus Inspect(const std::string& path, TargetInfo& info) = 0;
  // Creates and opens an empty file beside target, so replacing is a rename.
  virtual FsStatus CreateTemp(const std::string& target, std::string& tempPath, FileId& file) = 0;
  // written may be less than size even on success (a full disk).
  virtual FsStatus Write(FileId file, const char* data, size_t size, size_t& written) = 0;
  virtual FsStatus Flush(FileId file) = 0;
  virtual FsStatus Close(FileId file) = 0;
  // Puts the closed temp file in target's place in one step, keeping
  // target's attributes; on failure target is as it was.
  virtual FsStatus Replace(const std::string& tempPath, const std::string& target,
                           bool targetExists) = 0;
  // Deletes path; a file that is not there counts as deleted.
  virtual FsStatus Remove(const std::string& path) = 0;

  // For writing in place: opens the existing file to read and write.
  virtual FsStatus OpenExisting(const std::string& path, FileId& file) = 0;
  // The whole content; writing would go on at its end.
  virtual FsStatus ReadAll(FileId file, std::string& bytes) = 0;
  // Cuts the file to nothing; writing goes on from its start.
  virtual FsStatus Truncate(FileId file) = 0;
  virtual FsStatus Size(FileId file, uint64_t& size) = 0;
};

// An open file, closed when it goes out of scope; a temporary file is also
// deleted then, unless it has taken its target's place.
struct OwnedFile {
  FileSystem& fs;
  FileSystem::FileId id = FileSystem::kNoFile;
  std::string tempPath;

  explicit OwnedFile(FileSystem& files) : fs(files) {}
  OwnedFile(const OwnedFile&) = delete;
  ~OwnedFile() {
    if (id != FileSystem::kNoFile) fs.Close(id);
    if (!tempPath.empty()) fs.Remove(tempPath);
  }
  FsStatus Close() { return fs.Close(std::exchange(id, FileSystem::kNoFile)); }
};

FileSystem& NativeFileSystem();
// The same, calling pause instead of sleeping while a file is busy.
std::unique_ptr<FileSystem> NativeFileSystemPausing(Pause pause);

}  // namespace vantrel
