#include "shell/ProcessStart.h"

#include <objbase.h>

#include <memory>
#include <utility>

namespace vantrel {

namespace {

// TokenVirtualizationEnabled, missing from older headers.
constexpr auto kTokenVirtualizationEnabled = static_cast<TOKEN_INFORMATION_CLASS>(24);

bool TakeRelaunchMarker() {
  const bool present = GetEnvironmentVariableA(ManifestBootstrap::kRelaunchMarker, nullptr, 0) > 0;
  SetEnvironmentVariableA(ManifestBootstrap::kRelaunchMarker, nullptr);
  return present;
}

struct HandleCloser {
  void operator()(HANDLE handle) const { CloseHandle(handle); }
};
using FileHandle = std::unique_ptr<void, HandleCloser>;

// Opens an existing file, shared in every way; null when it cannot.
FileHandle OpenExisting(const std::string& path, DWORD access) {
  HANDLE file =
      CreateFileA(path.c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                  nullptr, OPEN_EXISTING, 0, nullptr);
  return FileHandle(file == INVALID_HANDLE_VALUE ? nullptr : file);
}

// Vista and later remember that a program has no manifest, by its path and
// last-write time, until the next reboot: a new time makes them read the
// manifest written since. Without it the program merely starts unthemed.
void MarkProgramChanged(const std::string& path) {
  const FileHandle file = OpenExisting(path, FILE_WRITE_ATTRIBUTES);
  if (!file) return;
  FILETIME now{};
  GetSystemTimeAsFileTime(&now);
  SetFileTime(file.get(), nullptr, nullptr, &now);
}

// Starts path with the relaunch marker in its environment, allowed to take
// the focus.
bool StartRelaunchedProgram(const std::string& path) {
  std::string command = "\"" + path + "\"";
  SetEnvironmentVariableA(ManifestBootstrap::kRelaunchMarker, "1");
  const DWORD processId = StartProcess(path.c_str(), std::move(command));
  SetEnvironmentVariableA(ManifestBootstrap::kRelaunchMarker, nullptr);
  if (processId) AllowSetForegroundWindow(processId);
  return processId != 0;
}

}  // namespace

ComApartment::ComApartment()
    : entered_(
          SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE))) {}

ComApartment::~ComApartment() {
  if (entered_) CoUninitialize();
}

std::string OwnExecutablePath() {
  std::string path(MAX_PATH, '\0');
  for (;;) {
    const DWORD length = GetModuleFileNameA(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (length < path.size()) return path.substr(0, length);
    path.resize(path.size() * 2);
  }
}

DWORD StartProcess(const char* program, std::string commandLine) {
  STARTUPINFOA si{};
  si.cb = sizeof(si);
  si.dwFlags = STARTF_USESHOWWINDOW;
  si.wShowWindow = SW_SHOWNORMAL;
  PROCESS_INFORMATION pi{};
  if (!CreateProcessA(program, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                      &si, &pi)) {
    return 0;
  }
  CloseHandle(pi.hThread);
  CloseHandle(pi.hProcess);
  return pi.dwProcessId;
}

ProcessSetupCalls SystemProcessSetupCalls() {
  ProcessSetupCalls calls{OpenProcessToken, SetTokenInformation, CloseHandle, nullptr};
  if (HMODULE user32 = GetModuleHandleA("user32.dll")) {
    calls.setProcessDpiAware = reinterpret_cast<BOOL(WINAPI*)()>(
        reinterpret_cast<void (*)()>(GetProcAddress(user32, "SetProcessDPIAware")));
  }
  return calls;
}

void PrepareProcess(const ProcessSetupCalls& calls) {
  HANDLE token = nullptr;
  if (calls.openProcessToken && calls.setTokenInformation && calls.closeHandle &&
      calls.openProcessToken(GetCurrentProcess(), TOKEN_ADJUST_DEFAULT, &token)) {
    DWORD enabled = 0;
    calls.setTokenInformation(token, kTokenVirtualizationEnabled, &enabled, sizeof(enabled));
    calls.closeHandle(token);
  }
  if (calls.setProcessDpiAware) calls.setProcessDpiAware();
}

bool SingleInstance::Claim() {
  if (mutex_) return true;
  HANDLE mutex = CreateMutexA(nullptr, FALSE, kName);
  if (!mutex) return true;  // no claim can be made: better to run than to refuse
  if (GetLastError() == ERROR_ALREADY_EXISTS) {
    CloseHandle(mutex);
    return false;
  }
  mutex_ = mutex;
  return true;
}

void SingleInstance::Release() {
  if (mutex_) CloseHandle(mutex_);
  mutex_ = nullptr;
}

std::string PathBesideProgram(std::string_view executablePath, std::string_view suffix) {
  const size_t slash = executablePath.find_last_of('\\');
  const size_t nameStart = slash == std::string_view::npos ? 0 : slash + 1;
  std::string_view name = executablePath.substr(nameStart);
  name = name.substr(0, name.find_last_of('.'));
  return std::string(executablePath.substr(0, nameStart)).append(name).append(suffix);
}

std::string ManifestFileText(Processor processor) {
  const std::string name = processor == Processor::Amd64 ? "amd64" : "X86";
  return R"(<?xml version="1.0" encoding="UTF-8" standalone="yes"?><assembly )"
         R"(xmlns="urn:schemas-microsoft-com:asm.v1" manifestVersion="1.0"><assemblyIdentity )"
         R"(version="1.0.0.0" processorArchitecture=")" +
         name +
         R"(" name="Corvessa.WindowsXP.Example" type="win32" /> <description>An example of )"
         R"(windows XP theming.</description> <dependency> <dependentAssembly> )"
         R"(<assemblyIdentity type="win32" name="Microsoft.Windows.Common-Controls" )"
         R"(version="6.0.0.0" processorArchitecture=")" +
         name +
         R"(" publicKeyToken="6595b64144ccf1df" language="*" /> </dependentAssembly> )"
         R"(</dependency> </assembly>)"
         "\r\n";
}

ManifestBootstrap::ManifestBootstrap(SingleInstance* claim)
    : ManifestBootstrap(OwnExecutablePath(), TakeRelaunchMarker(), claim) {}

ManifestBootstrap::ManifestBootstrap(const std::string& executablePath, bool relaunched,
                                     SingleInstance* claim)
    : manifestPath_(PathBesideProgram(executablePath, ".exe.manifest")),
      programPath_(PathBesideProgram(executablePath, ".exe")),
      relaunched_(relaunched),
      claim_(claim) {}

bool ManifestBootstrap::Probe() const {
  return CopyFileA(manifestPath_.c_str(), kProbePath, FALSE) && DeleteFileA(kProbePath);
}

bool ManifestBootstrap::ManifestExists() const {
  const DWORD attributes = GetFileAttributesA(manifestPath_.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool ManifestBootstrap::ManifestIsCurrent() const {
  const FileHandle file = OpenExisting(manifestPath_, GENERIC_READ);
  if (!file) return false;
  const std::string text = ManifestFileText();
  // One byte more than the text, to see a longer file.
  std::string found(text.size() + 1, '\0');
  DWORD read = 0;
  if (!ReadFile(file.get(), found.data(), static_cast<DWORD>(found.size()), &read, nullptr)) {
    return false;
  }
  found.resize(read);
  return found == text;
}

bool ManifestBootstrap::WriteManifest() const {
  // The program's own text needs no writing, which a folder the user cannot
  // write to would refuse.
  if (ManifestIsCurrent()) return true;
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
  MarkProgramChanged(programPath_);
  return StartProgram ? StartProgram(programPath_) : StartRelaunchedProgram(programPath_);
}

}  // namespace vantrel
