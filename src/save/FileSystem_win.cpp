// The file operations over kernel32, ANSI calls.
#include <windows.h>

#include <memory>
#include <string>
#include <utility>

#include "save/FileSystem.h"

namespace vantrel {
namespace {

std::string SystemText(DWORD error) {
  char buffer[1024];
  std::string text(
      buffer, FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
                             error, 0, buffer, sizeof buffer, nullptr));
  text.erase(text.find_last_not_of("\r\n ") + 1);
  return text.empty() ? "system error " + std::to_string(error) : text;
}

FsStatus FromWin32(DWORD error) {
  static constexpr std::pair<DWORD, FsError> kErrors[] = {
      {ERROR_ACCESS_DENIED, FsError::AccessDenied},
      {ERROR_SHARING_VIOLATION, FsError::InUse},
      {ERROR_LOCK_VIOLATION, FsError::InUse},
      {ERROR_UNABLE_TO_REMOVE_REPLACED, FsError::InUse},
      {ERROR_UNABLE_TO_MOVE_REPLACEMENT, FsError::InUse},
      {ERROR_UNABLE_TO_MOVE_REPLACEMENT_2, FsError::InUse},
      {ERROR_USER_MAPPED_FILE, FsError::InUse},
      {ERROR_DISK_FULL, FsError::DiskFull},
      {ERROR_HANDLE_DISK_FULL, FsError::DiskFull},
      {ERROR_PATH_NOT_FOUND, FsError::FolderMissing},
      {ERROR_INVALID_DRIVE, FsError::FolderMissing},
      {ERROR_BAD_NETPATH, FsError::FolderMissing},
  };
  for (const auto& [code, kind] : kErrors) {
    if (code == error) return FsStatus::Fail(kind);
  }
  return FsStatus::Fail(FsError::Other, SystemText(error));
}

FsStatus LastError() { return FromWin32(GetLastError()); }
FsStatus Checked(BOOL ok) { return ok ? FsStatus::Ok() : LastError(); }

HANDLE ToHandle(FileSystem::FileId file) { return reinterpret_cast<HANDLE>(file); }
BOOL Rewind(HANDLE file) { return SetFilePointerEx(file, LARGE_INTEGER{}, nullptr, FILE_BEGIN); }

bool InUse(const FsStatus& status) { return status.error == FsError::InUse; }

// Replacing may be denied for a moment (a deletion pending, a scanner); the
// rights themselves were checked before anything was written.
bool InUseOrDenied(const FsStatus& status) {
  return InUse(status) || status.error == FsError::AccessDenied;
}

bool Exists(const std::string& path) {
  return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// Attributes that can be given back to a file with SetFileAttributesA.
constexpr DWORD kKeptAttributes = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM |
                                  FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;

std::string UnusedName(const std::string& stem, const char* suffix) {
  for (unsigned n = 0;; ++n) {
    std::string name = stem + (n ? std::to_string(n) : std::string()) + suffix;
    if (!Exists(name) || n > 1000) return name;
  }
}

// With a backup name, a failed replace never leaves the target missing: the
// old file keeps its name or steps back from the backup name.
FsStatus ReplaceWithBackup(const std::string& temp, const std::string& target,
                           const std::string& backup) {
  if (ReplaceFileA(target.c_str(), temp.c_str(), backup.c_str(), REPLACEFILE_IGNORE_MERGE_ERRORS,
                   nullptr, nullptr)) {
    DeleteFileA(backup.c_str());
    return FsStatus::Ok();
  }
  const DWORD error = GetLastError();
  if (Exists(target)) {
    DeleteFileA(backup.c_str());
  } else {
    MoveFileA(backup.c_str(), target.c_str());  // the old file steps back in
  }
  return FromWin32(error);
}

class Win32FileSystem final : public FileSystem {
 public:
  explicit Win32FileSystem(Pause pause) : pause_(std::move(pause)) {}

  FsStatus Inspect(const std::string& path, TargetInfo& info) override {
    info = {};
    const DWORD attributes = GetFileAttributesA(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) {
      const DWORD error = GetLastError();
      return error == ERROR_FILE_NOT_FOUND ? FsStatus::Ok() : FromWin32(error);
    }
    info.exists = true;
    info.isFolder = (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    info.readOnly = (attributes & FILE_ATTRIBUTE_READONLY) != 0;
    if (info.isFolder || info.readOnly) return FsStatus::Ok();
    // Replacing needs the file not held open without sharing, and the right
    // to write and delete it: find out now, before anything is written.
    FsStatus status = Probe(path, GENERIC_WRITE | DELETE);
    if (status.error != FsError::AccessDenied) return status;
    // Some users may write the file but not delete it: it is written in place.
    if (!Probe(path, GENERIC_WRITE).ok()) return status;
    info.replaceable = false;
    return FsStatus::Ok();
  }

  FsStatus CreateTemp(const std::string& target, std::string& tempPath, FileId& file) override {
    static unsigned counter = 0;
    for (int attempt = 0; attempt < 100; ++attempt) {
      std::string path = target + ".~vt" + std::to_string(GetCurrentProcessId()) + "-" +
                         std::to_string(counter++) + ".tmp";
      HANDLE handle = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
      if (handle == INVALID_HANDLE_VALUE) {
        const DWORD error = GetLastError();
        if (error == ERROR_FILE_EXISTS || error == ERROR_ALREADY_EXISTS) continue;
        return FromWin32(error);
      }
      tempPath = std::move(path);
      file = reinterpret_cast<FileId>(handle);
      return FsStatus::Ok();
    }
    return FsStatus::Fail(FsError::Other, "no free name for a temporary file");
  }

  FsStatus Write(FileId file, const char* data, size_t size, size_t& written) override {
    DWORD done = 0;
    const DWORD ask = size > MAXDWORD ? MAXDWORD : static_cast<DWORD>(size);
    const FsStatus status = Checked(WriteFile(ToHandle(file), data, ask, &done, nullptr));
    written = done;
    return status;
  }

  FsStatus Flush(FileId file) override { return Checked(FlushFileBuffers(ToHandle(file))); }
  FsStatus Close(FileId file) override { return Checked(CloseHandle(ToHandle(file))); }

  FsStatus Replace(const std::string& temp, const std::string& target, bool targetExists) override {
    return RetryWhileBusy([&] { return ReplaceOnce(temp, target, targetExists); }, InUseOrDenied,
                          pause_);
  }

  FsStatus Remove(const std::string& path) override {
    if (DeleteFileA(path.c_str())) return FsStatus::Ok();
    const DWORD error = GetLastError();
    const bool gone = error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
    return gone ? FsStatus::Ok() : FromWin32(error);
  }

  FsStatus OpenExisting(const std::string& path, FileId& file) override {
    HANDLE handle = INVALID_HANDLE_VALUE;
    // Others may go on reading it, but nobody else writes while it is rewritten.
    const FsStatus status = Open(path, GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ, handle);
    if (status.ok()) file = reinterpret_cast<FileId>(handle);
    return status;
  }

  FsStatus ReadAll(FileId file, std::string& bytes) override {
    bytes.clear();
    if (!Rewind(ToHandle(file))) return LastError();
    char buffer[1 << 16];
    for (;;) {
      DWORD got = 0;
      if (!ReadFile(ToHandle(file), buffer, sizeof buffer, &got, nullptr)) return LastError();
      if (got == 0) return FsStatus::Ok();
      bytes.append(buffer, got);
    }
  }

  FsStatus Truncate(FileId file) override {
    return Checked(Rewind(ToHandle(file)) && SetEndOfFile(ToHandle(file)));
  }

  FsStatus Size(FileId file, uint64_t& size) override {
    LARGE_INTEGER value{};
    const FsStatus status = Checked(GetFileSizeEx(ToHandle(file), &value));
    size = static_cast<uint64_t>(value.QuadPart);
    return status;
  }

 private:
  // Opens the existing file at path, waiting while another program holds it.
  FsStatus Open(const std::string& path, DWORD access, DWORD sharing, HANDLE& handle) {
    return RetryWhileBusy(
        [&] {
          handle = CreateFileA(path.c_str(), access, sharing, nullptr, OPEN_EXISTING,
                               FILE_ATTRIBUTE_NORMAL, nullptr);
          return handle == INVALID_HANDLE_VALUE ? LastError() : FsStatus::Ok();
        },
        InUse, pause_);
  }

  // Whether path opens with that access now.
  FsStatus Probe(const std::string& path, DWORD access) {
    HANDLE probe = INVALID_HANDLE_VALUE;
    FsStatus status =
        Open(path, access, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, probe);
    if (status.ok()) CloseHandle(probe);
    return status;
  }

  FsStatus ReplaceOnce(const std::string& temp, const std::string& target, bool targetExists) {
    const DWORD attributes = GetFileAttributesA(target.c_str());
    if (!targetExists || attributes == INVALID_FILE_ATTRIBUTES) {
      if (attributes == INVALID_FILE_ATTRIBUTES && GetLastError() != ERROR_FILE_NOT_FOUND) {
        return LastError();
      }
      return Checked(MoveFileExA(temp.c_str(), target.c_str(),
                                 MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH));
    }
    // Some implementations let a replace or a move go over a read-only file;
    // a read-only file is the user's word that it is not to be changed.
    if (attributes & FILE_ATTRIBUTE_READONLY) return FsStatus::Fail(FsError::ReadOnly);
    FsStatus status = ReplaceWithBackup(temp, target, UnusedName(temp, ".bak"));
    if (!status.ok()) return status;
    // Windows keeps the replaced file's attributes (and its security); where
    // the attributes were lost, give them back.
    const DWORD kept = attributes & kKeptAttributes;
    const DWORD now = GetFileAttributesA(target.c_str());
    if (now != INVALID_FILE_ATTRIBUTES && (now & kKeptAttributes) != kept) {
      SetFileAttributesA(target.c_str(), kept ? kept : FILE_ATTRIBUTE_NORMAL);
    }
    return FsStatus::Ok();
  }

  Pause pause_;
};

}  // namespace

FileSystem& NativeFileSystem() {
  static Win32FileSystem fs([](uint32_t milliseconds) { Sleep(milliseconds); });
  return fs;
}

std::unique_ptr<FileSystem> NativeFileSystemPausing(Pause pause) {
  return std::make_unique<Win32FileSystem>(std::move(pause));
}

}  // namespace vantrel
