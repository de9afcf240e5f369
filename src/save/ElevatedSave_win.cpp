// The system's side of saving as administrator, over kernel32, advapi32,
// shell32 and, looked up at run time, bcrypt.
#include <windows.h>
// windows.h first
#include <bcrypt.h>
#include <shellapi.h>

#include <algorithm>
#include <memory>
#include <utility>

#include "save/SystemElevation.h"

namespace vantrel {
namespace {

template <typename Function>
Function Find(HMODULE library, const char* name) {
  return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(GetProcAddress(library, name)));
}

struct HashCalls {
  decltype(&BCryptOpenAlgorithmProvider) open = nullptr;
  decltype(&BCryptGetProperty) getProperty = nullptr;
  decltype(&BCryptCreateHash) createHash = nullptr;
  decltype(&BCryptHashData) hashData = nullptr;
  decltype(&BCryptFinishHash) finishHash = nullptr;
  decltype(&BCryptDestroyHash) destroyHash = nullptr;
  decltype(&BCryptCloseAlgorithmProvider) close = nullptr;

  bool Complete() const {
    return open && getProperty && createHash && hashData && finishHash && destroyHash && close;
  }
};

// Loaded from the system folder only, and kept for the life of the process.
const HashCalls& Bcrypt() {
  static const HashCalls calls = [] {
    HashCalls found;
    char folder[MAX_PATH] = {};
    const UINT length = GetSystemDirectoryA(folder, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return found;
    HMODULE dll = LoadLibraryA((std::string(folder) + "\\bcrypt.dll").c_str());
    if (!dll) return found;
    found.open = Find<decltype(found.open)>(dll, "BCryptOpenAlgorithmProvider");
    found.getProperty = Find<decltype(found.getProperty)>(dll, "BCryptGetProperty");
    found.createHash = Find<decltype(found.createHash)>(dll, "BCryptCreateHash");
    found.hashData = Find<decltype(found.hashData)>(dll, "BCryptHashData");
    found.finishHash = Find<decltype(found.finishHash)>(dll, "BCryptFinishHash");
    found.destroyHash = Find<decltype(found.destroyHash)>(dll, "BCryptDestroyHash");
    found.close = Find<decltype(found.close)>(dll, "BCryptCloseAlgorithmProvider");
    return found;
  }();
  return calls;
}

// The hash object's memory is ours: Vista does not provide it.
std::optional<std::string> HashWith(const HashCalls& calls, BCRYPT_ALG_HANDLE algorithm,
                                    std::string_view bytes) {
  DWORD objectSize = 0;
  ULONG got = 0;
  if (calls.getProperty(algorithm, BCRYPT_OBJECT_LENGTH, reinterpret_cast<PUCHAR>(&objectSize),
                        sizeof objectSize, &got, 0) != 0) {
    return std::nullopt;
  }
  std::string object(objectSize, '\0');
  BCRYPT_HASH_HANDLE hash = nullptr;
  if (calls.createHash(algorithm, &hash, reinterpret_cast<PUCHAR>(object.data()), objectSize,
                       nullptr, 0, 0) != 0) {
    return std::nullopt;
  }
  bool ok = true;
  for (size_t done = 0; ok && done < bytes.size();) {
    const ULONG size = static_cast<ULONG>(std::min<size_t>(bytes.size() - done, 1u << 30));
    auto* data = reinterpret_cast<PUCHAR>(const_cast<char*>(bytes.data() + done));
    ok = calls.hashData(hash, data, size, 0) == 0;
    done += size;
  }
  std::string digest(32, '\0');
  ok = ok && calls.finishHash(hash, reinterpret_cast<PUCHAR>(digest.data()), 32, 0) == 0;
  calls.destroyHash(hash);
  return ok ? std::optional<std::string>(digest) : std::nullopt;
}

// Windows that asks before it gives administrator rights (Vista and
// later), and this process runs without them.
bool RunsWithoutRights() {
  OSVERSIONINFOA version{};
  version.dwOSVersionInfoSize = sizeof version;
  if (!GetVersionExA(&version) || version.dwMajorVersion < 6) return false;
  HANDLE token = nullptr;
  if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token)) return false;
  TOKEN_ELEVATION elevation{};
  DWORD size = 0;
  const BOOL known =
      GetTokenInformation(token, TokenElevation, &elevation, sizeof elevation, &size);
  CloseHandle(token);
  return known && !elevation.TokenIsElevated;
}

// Waits for process to end; this thread's windows repaint meanwhile.
void WaitRepainting(HANDLE process) {
  while (MsgWaitForMultipleObjects(1, &process, FALSE, INFINITE, QS_PAINT) == WAIT_OBJECT_0 + 1) {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, WM_PAINT, WM_PAINT, PM_REMOVE)) DispatchMessageA(&msg);
  }
}

class SystemElevation final : public Elevation {
 public:
  SystemElevation(HWND owner, std::string program) : owner_(owner), program_(std::move(program)) {}

  bool Offered() override { return RunsWithoutRights() && Bcrypt().Complete(); }
  std::optional<std::string> Sha256(std::string_view bytes) override { return SystemSha256(bytes); }
  std::string TempFolder() override { return UserTempFolder(); }

  ElevatedRun Run(const ElevatedRequest& request) override {
    const std::string parameters = ElevatedParameters(request);
    SHELLEXECUTEINFOA info{};
    info.cbSize = sizeof info;
    info.fMask = SEE_MASK_NOCLOSEPROCESS | SEE_MASK_FLAG_NO_UI | SEE_MASK_NOASYNC;
    info.hwnd = owner_;
    info.lpVerb = "runas";
    info.lpFile = program_.c_str();
    info.lpParameters = parameters.c_str();
    info.nShow = SW_HIDE;
    ElevatedRun run;
    if (!ShellExecuteExA(&info)) {
      if (GetLastError() == ERROR_CANCELLED) run.start = ElevatedRun::Start::Declined;
      return run;
    }
    if (!info.hProcess) return run;
    const std::unique_ptr<void, decltype(&CloseHandle)> process(info.hProcess, CloseHandle);
    WaitRepainting(info.hProcess);
    DWORD code = 0;
    if (!GetExitCodeProcess(info.hProcess, &code)) return run;
    run.start = ElevatedRun::Start::Started;
    run.exitCode = static_cast<int>(code);
    return run;
  }

 private:
  HWND owner_;
  std::string program_;
};

}  // namespace

std::optional<std::string> SystemSha256(std::string_view bytes) {
  const HashCalls& calls = Bcrypt();
  if (!calls.Complete()) return std::nullopt;
  BCRYPT_ALG_HANDLE algorithm = nullptr;
  if (calls.open(&algorithm, BCRYPT_SHA256_ALGORITHM, nullptr, 0) != 0) return std::nullopt;
  std::optional<std::string> digest = HashWith(calls, algorithm, bytes);
  calls.close(algorithm, 0);
  return digest;
}

std::string UserTempFolder() {
  char folder[MAX_PATH + 1] = {};
  DWORD length = GetTempPathA(sizeof folder, folder);
  if (length == 0 || length >= sizeof folder) return {};
  // Long names, as the profile folder is named.
  const DWORD longLength = GetLongPathNameA(folder, folder, sizeof folder);
  if (longLength > 0 && longLength < sizeof folder) length = longLength;
  std::string path(folder, length);
  if (path.back() != '\\') path += '\\';
  return path;
}

std::unique_ptr<Elevation> MakeSystemElevation(HWND owner, std::string program) {
  return std::make_unique<SystemElevation>(owner, std::move(program));
}

int RunSaveElevatedCommand(const std::vector<std::string>& args) {
  try {
    char profile[MAX_PATH] = {};
    const DWORD length = GetEnvironmentVariableA("USERPROFILE", profile, MAX_PATH);
    const std::string profileFolder = length < MAX_PATH ? std::string(profile, length) : "";
    return SaveElevated(args, {NativeFileSystem(), UserTempFolder(), profileFolder, SystemSha256});
  } catch (...) {
    return kWriteFailed + static_cast<int>(FsError::Other);
  }
}

}  // namespace vantrel
