// A file system in memory that fails on command: the n-th operation that
// changes something (or every one from then on), or a write that stops short
// at a chosen byte. Strict like Windows: an open file cannot be deleted or
// moved.
#pragma once

#include <map>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

#include "save/FileSystem.h"

namespace vantrel::test {

class FakeFileSystem : public FileSystem {
 public:
  struct File {
    std::string bytes;
    bool readOnly = false;
    bool isFolder = false;
    bool replaceable = true;  // false: may be written, not deleted or renamed
    bool operator==(const File&) const = default;
  };

  std::map<std::string, File> files;
  // Fails the operation with this number (counting every call but Inspect
  // and Remove from 1) with failError; 0 fails none. failOnward fails every
  // one after it too.
  int failAt = 0;
  bool failOnward = false;
  FsError failError = FsError::Other;
  // A write that would pass this many bytes of the file takes only the bytes
  // up to it and still reports success.
  size_t shortAt = std::string::npos;
  // Inspect reports this (a file held open elsewhere, say).
  FsStatus inspectStatus;
  // Inspect refuses these paths access, as the system does to a user
  // without administrator rights.
  std::set<std::string> denied;
  // CreateTemp reports this (a folder that takes no new file), OpenExisting
  // openStatus.
  FsStatus createStatus;
  FsStatus openStatus;

  int operations = 0;
  std::vector<std::string> log;  // the operations, in order

  FsStatus Inspect(const std::string& path, TargetInfo& info) override {
    info = {};
    log.push_back("inspect");
    if (!inspectStatus.ok()) return inspectStatus;
    if (denied.count(path)) return FsStatus::Fail(FsError::AccessDenied);
    const auto it = files.find(path);
    if (it != files.end()) {
      info.exists = true;
      info.readOnly = it->second.readOnly;
      info.isFolder = it->second.isFolder;
      info.replaceable = it->second.replaceable;
    }
    return FsStatus::Ok();
  }

  FsStatus CreateTemp(const std::string& target, std::string& tempPath, FileId& file) override {
    if (FsStatus status = Step("create"); !status.ok()) return status;
    if (!createStatus.ok()) return createStatus;
    tempPath = target + ".tmp" + std::to_string(nextId_);
    files[tempPath] = {};
    file = nextId_++;
    open_[file] = tempPath;
    return FsStatus::Ok();
  }

  FsStatus Write(FileId file, const char* data, size_t size, size_t& written) override {
    written = 0;
    if (FsStatus status = Step("write"); !status.ok()) return status;
    std::string& bytes = files.at(open_.at(file)).bytes;
    written = size;
    if (shortAt != std::string::npos && bytes.size() + size > shortAt) {
      written = shortAt > bytes.size() ? shortAt - bytes.size() : 0;
    }
    bytes.append(data, written);
    return FsStatus::Ok();
  }

  FsStatus Flush(FileId file) override {
    if (!open_.count(file)) throw std::logic_error("flush of a file not open");
    return Step("flush");
  }

  FsStatus Close(FileId file) override {
    // Gone even when closing reports a failure.
    if (open_.erase(file) == 0) throw std::logic_error("close of a file not open");
    return Step("close");
  }

  FsStatus Replace(const std::string& tempPath, const std::string& target, bool) override {
    if (FsStatus status = Step("replace"); !status.ok()) return status;
    if (IsOpen(tempPath) || IsOpen(target)) return FsStatus::Fail(FsError::InUse);
    File moved = files.at(tempPath);
    files.erase(tempPath);
    files[target] = moved;
    return FsStatus::Ok();
  }

  FsStatus Remove(const std::string& path) override {
    log.push_back("remove");
    if (IsOpen(path)) return FsStatus::Fail(FsError::InUse);
    files.erase(path);
    return FsStatus::Ok();
  }

  FsStatus OpenExisting(const std::string& path, FileId& file) override {
    if (FsStatus status = Step("open"); !status.ok()) return status;
    if (!openStatus.ok()) return openStatus;
    if (!files.count(path)) return FsStatus::Fail(FsError::Other, "no such file");
    file = nextId_++;
    open_[file] = path;
    return FsStatus::Ok();
  }

  FsStatus ReadAll(FileId file, std::string& bytes) override {
    if (FsStatus status = Step("read"); !status.ok()) return status;
    bytes = files.at(open_.at(file)).bytes;
    return FsStatus::Ok();
  }

  FsStatus Truncate(FileId file) override {
    if (FsStatus status = Step("truncate"); !status.ok()) return status;
    files.at(open_.at(file)).bytes.clear();
    return FsStatus::Ok();
  }

  FsStatus Size(FileId file, uint64_t& size) override {
    if (FsStatus status = Step("size"); !status.ok()) return status;
    size = files.at(open_.at(file)).bytes.size();
    return FsStatus::Ok();
  }

  bool AnyOpen() const { return !open_.empty(); }

 private:
  FsStatus Step(const char* name) {
    log.push_back(name);
    ++operations;
    if (operations == failAt || (failOnward && failAt > 0 && operations > failAt)) {
      return FsStatus::Fail(failError);
    }
    return FsStatus::Ok();
  }
  bool IsOpen(const std::string& path) const {
    for (const auto& [id, open] : open_) {
      if (open == path) return true;
    }
    return false;
  }

  std::map<FileId, std::string> open_;
  FileId nextId_ = 1;
};

}  // namespace vantrel::test
