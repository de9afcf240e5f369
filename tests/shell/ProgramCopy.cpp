#include "shell/ProgramCopy.h"

// windows.h first
#include <psapi.h>
#include <tlhelp32.h>

#include <algorithm>
#include <cctype>
#include <fstream>
#include <iterator>
#include <set>
#include <utility>

namespace vantrel::test {

namespace {

constexpr const char* kMainClass = "VantrelMainWindow";

std::string LongPath(const std::string& path) {
  char buffer[MAX_PATH * 2] = {};
  const DWORD length = GetLongPathNameA(path.c_str(), buffer, sizeof(buffer));
  if (length == 0 || length >= sizeof(buffer)) return path;
  return buffer;
}

bool SamePath(const std::string& a, const std::string& b) {
  return lstrcmpiA(LongPath(a).c_str(), LongPath(b).c_str()) == 0;
}

std::string ImageOf(DWORD pid) {
  HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, pid);
  if (!process) return "";
  char buffer[MAX_PATH * 2] = {};
  DWORD size = sizeof(buffer);
  const BOOL ok = QueryFullProcessImageNameA(process, 0, buffer, &size);
  CloseHandle(process);
  return ok ? std::string(buffer, size) : "";
}

}  // namespace

std::string BuiltProgramPath() {
  char self[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, self, MAX_PATH);
  std::string path = self;
  path.resize(path.find_last_of('\\') + 1);
  return path + "vantrel.exe";
}

ProcessHandle ProcessHandle::Open(DWORD id) {
  HANDLE handle = OpenProcess(SYNCHRONIZE | PROCESS_TERMINATE, FALSE, id);
  return handle ? ProcessHandle(handle, id) : ProcessHandle();
}

ProcessHandle::~ProcessHandle() {
  if (handle_) CloseHandle(handle_);
}

ProcessHandle::ProcessHandle(ProcessHandle&& other) noexcept
    : handle_(std::exchange(other.handle_, nullptr)), id_(other.id_) {}

ProcessHandle& ProcessHandle::operator=(ProcessHandle&& other) noexcept {
  if (this != &other) {
    if (handle_) CloseHandle(handle_);
    handle_ = std::exchange(other.handle_, nullptr);
    id_ = other.id_;
  }
  return *this;
}

bool ProcessHandle::EndsWithin(DWORD ms) const {
  return handle_ && WaitForSingleObject(handle_, ms) == WAIT_OBJECT_0;
}

DWORD ProcessHandle::ExitCode() const {
  DWORD code = STILL_ACTIVE;
  if (handle_) GetExitCodeProcess(handle_, &code);
  return code;
}

ProgramCopy::ProgramCopy() {
  path_ = folder_.Path() + "\\vantrel.exe";
  manifestPath_ = path_ + ".manifest";
  copied_ = CopyFileA(BuiltProgramPath().c_str(), path_.c_str(), TRUE) != FALSE;
}

ProgramCopy::~ProgramCopy() {
  CloseAll();
  // The folder goes with its contents, the hidden manifest included.
  SetFileAttributesA(manifestPath_.c_str(), FILE_ATTRIBUTE_NORMAL);
}

ProcessHandle ProgramCopy::Start(const std::string& arguments) const {
  STARTUPINFOA si{};
  si.cb = sizeof(si);
  PROCESS_INFORMATION pi{};
  std::string command = "\"" + path_ + "\" " + arguments;
  if (!CreateProcessA(path_.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                      &si, &pi)) {
    return ProcessHandle();
  }
  CloseHandle(pi.hThread);
  return ProcessHandle(pi.hProcess, pi.dwProcessId);
}

std::vector<DWORD> ProgramCopy::Processes() const {
  std::vector<DWORD> found;
  HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
  if (snapshot == INVALID_HANDLE_VALUE) return found;
  PROCESSENTRY32 entry{};
  entry.dwSize = sizeof(entry);
  for (BOOL more = Process32First(snapshot, &entry); more; more = Process32Next(snapshot, &entry)) {
    if (lstrcmpiA(entry.szExeFile, "vantrel.exe") != 0) continue;
    if (SamePath(ImageOf(entry.th32ProcessID), path_)) found.push_back(entry.th32ProcessID);
  }
  CloseHandle(snapshot);
  return found;
}

HWND ProgramCopy::WaitForMainWindow(DWORD except, DWORD ms) const {
  const DWORD start = GetTickCount();
  do {
    for (DWORD pid : Processes()) {
      if (pid == except) continue;
      if (HWND main = WaitForWindow({kMainClass, nullptr, pid})) return main;
    }
    Sleep(50);
  } while (GetTickCount() - start < ms);
  return nullptr;
}

std::vector<DWORD> ProgramCopy::Watch(DWORD ms) const {
  std::set<DWORD> seen;
  const DWORD start = GetTickCount();
  do {
    for (DWORD pid : Processes()) seen.insert(pid);
    Sleep(50);
  } while (GetTickCount() - start < ms);
  return {seen.begin(), seen.end()};
}

bool ProgramCopy::CloseAll() const {
  bool closed = true;
  for (DWORD pid : Processes()) {
    ProcessHandle process = ProcessHandle::Open(pid);
    HWND main = WaitForWindow({kMainClass, nullptr, pid});
    if (main) PostMessageA(main, WM_CLOSE, 0, 0);
    if (main && process.EndsWithin(10000)) continue;
    closed = false;
    HANDLE handle = OpenProcess(PROCESS_TERMINATE, FALSE, pid);
    if (handle) {
      TerminateProcess(handle, 1);
      CloseHandle(handle);
    }
    process.EndsWithin(5000);
  }
  return closed;
}

DWORD ProcessOf(HWND hwnd) {
  DWORD pid = 0;
  GetWindowThreadProcessId(hwnd, &pid);
  return pid;
}

std::string MessageBoxText(HWND box) {
  // The static control that holds a message box's text.
  return TextOf(GetDlgItem(box, 0xFFFF));
}

void PressOk(HWND box) {
  PostMessageA(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
               reinterpret_cast<LPARAM>(GetDlgItem(box, IDOK)));
}

std::string LoadedCommonControls(DWORD pid) {
  HANDLE process = OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, pid);
  if (!process) return "";
  std::string found;
  HMODULE modules[512];
  DWORD bytes = 0;
  if (EnumProcessModules(process, modules, sizeof(modules), &bytes)) {
    const size_t count = std::min<size_t>(bytes / sizeof(HMODULE), std::size(modules));
    for (size_t i = 0; i < count && found.empty(); ++i) {
      char name[MAX_PATH * 2] = {};
      if (!GetModuleFileNameExA(process, modules[i], name, sizeof(name))) continue;
      const std::string path = name;
      const std::string file = path.substr(path.find_last_of('\\') + 1);
      if (lstrcmpiA(file.c_str(), "comctl32.dll") == 0) found = path;
    }
  }
  CloseHandle(process);
  return found;
}

bool FromSideBySideStore(const std::string& path) {
  std::string lower = path;
  for (char& c : lower) c = static_cast<char>(tolower(static_cast<unsigned char>(c)));
  return lower.find("\\winsxs\\") != std::string::npos;
}

std::string ReadBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

DWORD Attributes(const std::string& path) { return GetFileAttributesA(path.c_str()); }

ULONGLONG LastWritten(const std::string& path) {
  WIN32_FILE_ATTRIBUTE_DATA data{};
  if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data)) return 0;
  return ULONGLONG{data.ftLastWriteTime.dwHighDateTime} << 32 | data.ftLastWriteTime.dwLowDateTime;
}

HeldFile HoldAgainstWriting(const std::string& path) {
  HANDLE file =
      CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  return HeldFile(file == INVALID_HANDLE_VALUE ? nullptr : file, CloseHandle);
}

ReadOnlyProbeFile::ReadOnlyProbeFile() {
  SetFileAttributesA("c:\\checkexist.txt", FILE_ATTRIBUTE_NORMAL);
  HANDLE file = CreateFileA("c:\\checkexist.txt", GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return;
  CloseHandle(file);
  SetFileAttributesA("c:\\checkexist.txt", FILE_ATTRIBUTE_READONLY);
  const DWORD attributes = GetFileAttributesA("c:\\checkexist.txt");
  made_ = attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY);
}

ReadOnlyProbeFile::~ReadOnlyProbeFile() {
  SetFileAttributesA("c:\\checkexist.txt", FILE_ATTRIBUTE_NORMAL);
  DeleteFileA("c:\\checkexist.txt");
}

}  // namespace vantrel::test
