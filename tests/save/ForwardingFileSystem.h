// The system's file operations, each one for a test to override.
#pragma once

#include <string>

#include "save/FileSystem.h"

namespace vantrel::test {

class ForwardingFileSystem : public FileSystem {
 public:
  FsStatus Inspect(const std::string& path, TargetInfo& info) override {
    return fs_.Inspect(path, info);
  }
  FsStatus CreateTemp(const std::string& target, std::string& tempPath, FileId& file) override {
    return fs_.CreateTemp(target, tempPath, file);
  }
  FsStatus Write(FileId file, const char* data, size_t size, size_t& written) override {
    return fs_.Write(file, data, size, written);
  }
  FsStatus Flush(FileId file) override { return fs_.Flush(file); }
  FsStatus Close(FileId file) override { return fs_.Close(file); }
  FsStatus Replace(const std::string& temp, const std::string& target, bool exists) override {
    return fs_.Replace(temp, target, exists);
  }
  FsStatus Remove(const std::string& path) override { return fs_.Remove(path); }
  FsStatus OpenExisting(const std::string& path, FileId& file) override {
    return fs_.OpenExisting(path, file);
  }
  FsStatus ReadAll(FileId file, std::string& bytes) override { return fs_.ReadAll(file, bytes); }
  FsStatus Truncate(FileId file) override { return fs_.Truncate(file); }
  FsStatus Size(FileId file, uint64_t& size) override { return fs_.Size(file, size); }

 private:
  FileSystem& fs_ = NativeFileSystem();
};

}  // namespace vantrel::test
