#include "save/SafeWrite.h"

#include <algorithm>

namespace vantrel {

namespace {

// Owns the temp file until it has replaced the target: any other way out of
// SafeWriteFile closes and deletes it.
class TempFile {
 public:
  explicit TempFile(FileSystem& fs) : fs_(fs) {}
  TempFile(const TempFile&) = delete;
  TempFile& operator=(const TempFile&) = delete;
  ~TempFile() {
    if (file_ != FileSystem::kNoFile) fs_.Close(file_);
    if (!path_.empty()) fs_.Remove(path_);
  }

  FsStatus Create(const std::string& target) { return fs_.CreateTemp(target, path_, file_); }
  FsStatus Close() {
    const FileSystem::FileId file = file_;
    file_ = FileSystem::kNoFile;
    return fs_.Close(file);
  }
  FileSystem::FileId file() const { return file_; }
  const std::string& path() const { return path_; }
  // It is the target now.
  void Release() { path_.clear(); }

 private:
  FileSystem& fs_;
  std::string path_;
  FileSystem::FileId file_ = FileSystem::kNoFile;
};

FsStatus WriteAll(FileSystem& fs, FileSystem::FileId file, std::string_view bytes, size_t chunk) {
  chunk = std::max<size_t>(chunk, 1);
  for (size_t done = 0; done < bytes.size();) {
    const size_t size = std::min(chunk, bytes.size() - done);
    size_t written = 0;
    FsStatus status = fs.Write(file, bytes.data() + done, size, written);
    if (!status.ok()) return status;
    // A write that took fewer bytes than it was given ran out of room, even
    // when it reported success.
    if (written != size) return FsStatus::Fail(FsError::DiskFull);
    done += size;
  }
  return FsStatus::Ok();
}

}  // namespace

FsStatus SafeWriteFile(FileSystem& fs, const std::string& target, std::string_view bytes,
                       size_t chunk) {
  return SafeWriteFile(
      fs, target, [&](const PieceWriter& write) { return write(bytes); }, chunk);
}

FsStatus SafeWriteFile(FileSystem& fs, const std::string& target, const ContentSource& source,
                       size_t chunk) {
  TargetInfo info;
  if (FsStatus status = fs.Inspect(target, info); !status.ok()) return status;
  if (info.isFolder) return FsStatus::Fail(FsError::IsFolder);
  if (info.exists && info.readOnly) return FsStatus::Fail(FsError::ReadOnly);

  TempFile temp(fs);
  if (FsStatus status = temp.Create(target); !status.ok()) return status;
  const PieceWriter write = [&](std::string_view piece) {
    return WriteAll(fs, temp.file(), piece, chunk);
  };
  if (FsStatus status = source(write); !status.ok()) return status;
  if (FsStatus status = fs.Flush(temp.file()); !status.ok()) return status;
  if (FsStatus status = temp.Close(); !status.ok()) return status;
  if (FsStatus status = fs.Replace(temp.path(), target, info.exists); !status.ok()) return status;
  temp.Release();
  return FsStatus::Ok();
}

std::string ReasonFor(const FsStatus& status) {
  switch (status.error) {
    case FsError::None:
      return {};
    case FsError::AccessDenied:
      return "Access to the file is denied. Saving the Host File may need administrator rights.";
    case FsError::InUse:
      return "The file is in use by another program.";
    case FsError::DiskFull:
      return "The disk is full.";
    case FsError::ReadOnly:
      return "The file is read-only.";
    case FsError::FolderMissing:
      return "The folder does not exist.";
    case FsError::IsFolder:
      return "It is a folder, not a file.";
    case FsError::Other:
      break;
  }
  if (status.detail.empty()) return "The file could not be written.";
  return "The file could not be written: " + status.detail;
}

}  // namespace vantrel
