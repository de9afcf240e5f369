#include "shell/ManifestBootstrap.h"

#include "shell/ManifestFile.h"
#include "shell/SingleInstance.h"

namespace vantrel {

namespace {

std::string OwnExecutablePath() {
  std::string path(MAX_PATH, '\0');
  for (;;) {
    const DWORD length = GetModuleFileNameA(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (length < path.size()) return path.substr(0, length);
    path.resize(path.size() * 2);
  }
}

bool TakeRelaunchMarker() {
  const bool present = GetEnvironmentVariableA(ManifestBootstrap::kRelaunchMarker, nullptr, 0) > 0;
  SetEnvironmentVariableA(ManifestBootstrap::kRelaunchMarker, nullptr);
  return present;
}

// Starts path with the relaunch marker in its environment, shown normally
// and allowed to take the focus.
bool StartRelaunchedProgram(const std::string& path) {
  STARTUPINFOA si{};
  si.cb = sizeof(si);
  si.dwFlags = STARTF_USESHOWWINDOW;
  si.wShowWindow = SW_SHOWNORMAL;
  PROCESS_INFORMATION pi{};
  std::string command = "\"" + path + "\"";
  SetEnvironmentVariableA(ManifestBootstrap::kRelaunchMarker, "1");
  const BOOL started = CreateProcessA(path.c_str(), command.data(), nullptr, nullptr, FALSE, 0,
                                      nullptr, nullptr, &si, &pi);
  SetEnvironmentVariableA(ManifestBootstrap::kRelaunchMarker, nullptr);
  if (!started) return false;
  AllowSetForegroundWindow(pi.dwProcessId);
  CloseHandle(pi.hThread);
  CloseHandle(pi.hProcess);
  return true;
}

}  // namespace

ManifestBootstrap::ManifestBootstrap(SingleInstance* claim)
    : ManifestBootstrap(OwnExecutablePath(), TakeRelaunchMarker(), claim) {}

ManifestBootstrap::ManifestBootstrap(const std::string& executablePath, bool relaunched,
                                     SingleInstance* claim)
    : manifestPath_(PathBesideProgram(executablePath, ".exe.manifest")),
      programPath_(PathBesideProgram(executablePath, ".exe")),
      relaunched_(relaunched),
      claim_(claim) {}

bool ManifestBootstrap::Probe() const {
  if (!CopyFileA(manifestPath_.c_str(), kProbePath, FALSE)) return false;
  return DeleteFileA(kProbePath) != FALSE;
}

bool ManifestBootstrap::ManifestExists() const {
  const DWORD attributes = GetFileAttributesA(manifestPath_.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool ManifestBootstrap::WriteManifest() const {
  // Windows refuses to replace a hidden file unless the new one is created
  // hidden too.
  HANDLE file = CreateFileA(manifestPath_.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_HIDDEN, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  const std::string text = ManifestFileText();
  DWORD written = 0;
  const bool wrote =
      WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr) &&
      written == text.size();
  const bool closed = CloseHandle(file) != FALSE;
  if (!wrote || !closed) return false;
  // Replacing adds the archive attribute; hidden alone is wanted.
  SetFileAttributesA(manifestPath_.c_str(), FILE_ATTRIBUTE_HIDDEN);
  return true;
}

bool ManifestBootstrap::Relaunch() {
  if (claim_) claim_->Release();
  return StartProgram ? StartProgram(programPath_) : StartRelaunchedProgram(programPath_);
}

}  // namespace vantrel
