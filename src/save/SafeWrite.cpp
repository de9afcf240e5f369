#include "save/SafeWrite.h"

#include <algorithm>
#include <iterator>
#include <utility>

namespace vantrel {
namespace {

FsStatus WriteAll(FileSystem& fs, FileSystem::FileId file, std::string_view bytes, size_t chunk) {
  chunk = std::max<size_t>(chunk, 1);
  for (size_t done = 0; done < bytes.size();) {
    const size_t size = std::min(chunk, bytes.size() - done);
    size_t written = 0;
    FsStatus status = fs.Write(file, bytes.data() + done, size, written);
    if (!status.ok()) return status;
    // A short write ran out of space, even when it reported success.
    if (written != size) return FsStatus::Fail(FsError::DiskFull);
    done += size;
  }
  return FsStatus::Ok();
}

// Flushed, the file must be as long as what was written to it.
FsStatus FlushAndMeasure(FileSystem& fs, FileSystem::FileId file, uint64_t expected) {
  if (FsStatus status = fs.Flush(file); !status.ok()) return status;
  uint64_t size = 0;
  if (FsStatus status = fs.Size(file, size); !status.ok()) return status;
  if (size != expected) return FsStatus::Fail(FsError::DiskFull);
  return FsStatus::Ok();
}

// The old bytes back in the file, as they were; false when that failed too.
bool PutBack(FileSystem& fs, FileSystem::FileId file, std::string_view old, size_t chunk) {
  return fs.Truncate(file).ok() && WriteAll(fs, file, old, chunk).ok() &&
         FlushAndMeasure(fs, file, old.size()).ok();
}

// For a file no new file can replace: its old bytes are kept and go back if any step fails.
// refused, why the safe way failed, stands when the file does not open for writing either.
FsStatus WriteInPlace(FileSystem& fs, const std::string& target, const ContentSource& source,
                      size_t chunk, const FsStatus& refused) {
  OwnedFile file(fs);
  if (!fs.OpenExisting(target, file.id).ok()) return refused;
  std::string old;
  if (FsStatus status = fs.ReadAll(file.id, old); !status.ok()) return status;
  uint64_t total = 0;
  const ChunkWriter write = [&](std::string_view bytes) {
    total += bytes.size();
    return WriteAll(fs, file.id, bytes, chunk);
  };
  FsStatus status = fs.Truncate(file.id);
  try {
    if (status.ok()) status = source(write);
  } catch (...) {
    PutBack(fs, file.id, old, chunk);
    throw;
  }
  if (status.ok()) status = FlushAndMeasure(fs, file.id, total);
  if (!status.ok()) {
    status.targetChanged = !PutBack(fs, file.id, old, chunk);
    return status;
  }
  // Flushed and measured, the content is on the disk whatever closing says.
  file.Close();
  return FsStatus::Ok();
}

}  // namespace

FsStatus SafeWriteFile(FileSystem& fs, const std::string& target, std::string_view bytes,
                       size_t chunk) {
  return SafeWriteFile(
      fs, target, [&](const ChunkWriter& write) { return write(bytes); }, chunk);
}

FsStatus SafeWriteFile(FileSystem& fs, const std::string& target, const ContentSource& source,
                       size_t chunk) {
  TargetInfo info;
  if (FsStatus status = fs.Inspect(target, info); !status.ok()) return status;
  if (info.isFolder) return FsStatus::Fail(FsError::IsFolder);
  if (info.exists && info.readOnly) return FsStatus::Fail(FsError::ReadOnly);
  if (info.exists && !info.replaceable) {
    return WriteInPlace(fs, target, source, chunk, FsStatus::Fail(FsError::AccessDenied));
  }

  OwnedFile temp(fs);
  if (FsStatus status = fs.CreateTemp(target, temp.tempPath, temp.id); !status.ok()) {
    // A folder that takes no new file, around a file the user may write.
    if (status.error == FsError::AccessDenied && info.exists) {
      return WriteInPlace(fs, target, source, chunk, status);
    }
    return status;
  }
  const ChunkWriter write = [&](std::string_view bytes) {
    return WriteAll(fs, temp.id, bytes, chunk);
  };
  if (FsStatus status = source(write); !status.ok()) return status;
  if (FsStatus status = fs.Flush(temp.id); !status.ok()) return status;
  if (FsStatus status = temp.Close(); !status.ok()) return status;
  if (FsStatus status = fs.Replace(temp.tempPath, target, info.exists); !status.ok()) return status;
  temp.tempPath.clear();  // it is the target now
  return FsStatus::Ok();
}

FsStatus RetryWhileBusy(const std::function<FsStatus()>& attempt,
                        const std::function<bool(const FsStatus&)>& passes, const Pause& pause) {
  FsStatus status = attempt();
  for (const uint32_t milliseconds : kBusyPauses) {
    if (status.ok() || !passes(status)) break;
    pause(milliseconds);
    status = attempt();
  }
  return status;
}

std::string ReasonFor(const FsStatus& status) {
  // In the order of FsError.
  static constexpr const char* kCauses[] = {
      "",
      "Access to the file is denied. Saving the Host File may need administrator rights.",
      "The file is in use by another program.",
      "The disk is full.",
      "The file is read-only.",
      "The folder does not exist.",
      "It is a folder, not a file.",
      "The file could not be written",
  };
  static_assert(std::size(kCauses) == static_cast<size_t>(FsError::Other) + 1);
  std::string reason = kCauses[static_cast<int>(status.error)];
  if (status.error == FsError::Other) reason += status.detail.empty() ? "." : ": " + status.detail;
  if (status.targetChanged) {
    reason +=
        " Its old content could not be put back either: please check the file before using it.";
  }
  return reason;
}

}  // namespace vantrel
