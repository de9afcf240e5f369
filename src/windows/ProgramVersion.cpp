#include "windows/ProgramVersion.h"

#include <windows.h>

#include <vector>

namespace vantrel {

std::optional<ProgramVersion> ReadProgramVersion() {
  char path[MAX_PATH];
  const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return std::nullopt;
  DWORD ignored = 0;
  const DWORD size = GetFileVersionInfoSizeA(path, &ignored);
  if (size == 0) return std::nullopt;
  std::vector<char> block(size);
  if (!GetFileVersionInfoA(path, 0, size, block.data())) return std::nullopt;
  void* value = nullptr;
  UINT valueSize = 0;
  if (!VerQueryValueA(block.data(), "\\", &value, &valueSize) ||
      valueSize < sizeof(VS_FIXEDFILEINFO)) {
    return std::nullopt;
  }
  const auto* info = static_cast<const VS_FIXEDFILEINFO*>(value);
  return ProgramVersion{HIWORD(info->dwFileVersionMS), LOWORD(info->dwFileVersionMS)};
}

std::string VersionText(unsigned major, unsigned minor) {
  return std::to_string(major) + "." + std::to_string(minor);
}

}  // namespace vantrel
