// The version name table, and the real version call under the versions Wine
// can report to a program.
#include "platform/WindowsCheck.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

namespace vantrel {
namespace {

TEST(VersionNameFor, NamesByMajorVersion) {
  struct Row {
    DWORD major, minor, build;
    const char* name;
  };
  const Row rows[] = {
      {4, 0, 950, "Windows 95"},
      {4, 0, 1381, "Windows 95"},  // NT 4.0 too
      {1, 0, 0, "Windows 95"},
      {4, 10, 1998, "Windows 98"},
      {1, 10, 0, "Windows 98"},
      {4, 90, 3000, "Windows ME"},
      {1, 90, 0, "Windows ME"},
      {4, 3, 0, ""},
      {1, 1, 0, ""},
      {2, 0, 0, ""},
      {2, 10, 0, ""},
      {5, 0, 2195, "Windows 2000"},
      {5, 1, 2599, "Windows 2000"},
      {5, 1, 2600, "Windows XP"},
      {5, 2, 3790, "Windows XP"},
      {5, 0, 2600, "Windows XP"},  // minor not consulted
      {3, 51, 1057, "Windows "},
      {6, 1, 7601, "Windows "},
      {10, 0, 19045, "Windows "},
      {0, 0, 0, "Windows "},  // the call failed
  };
  for (const Row& r : rows) {
    EXPECT_EQ(VersionNameFor(r.major, r.minor, r.build), r.name)
        << r.major << "." << r.minor << "." << r.build;
  }
}

TEST(ReadVersionRecord, FillsTheRecordItPrepared) {
  const OSVERSIONINFOA info = ReadVersionRecord();
  EXPECT_EQ(info.dwOSVersionInfoSize, 148u);
  EXPECT_GT(info.dwMajorVersion, 0u);
  // The service-pack text is a NUL-terminated string within its field.
  EXPECT_LT(std::string(info.szCSDVersion, sizeof(info.szCSDVersion)).find('\0'),
            sizeof(info.szCSDVersion));
  EXPECT_EQ(WindowsVersionName(),
            VersionNameFor(info.dwMajorVersion, info.dwMinorVersion, info.dwBuildNumber));
}

bool UnderWine() {
  HMODULE ntdll = GetModuleHandleA("ntdll.dll");
  return ntdll && GetProcAddress(ntdll, "wine_get_version");
}

std::string WineSetting(const char* key, const char* value) {
  char text[64] = {};
  DWORD size = sizeof(text) - 1;
  if (RegGetValueA(HKEY_CURRENT_USER, key, value, RRF_RT_REG_SZ, nullptr, text, &size) !=
      ERROR_SUCCESS) {
    return "";
  }
  return text;
}

TEST(WindowsVersionName, ReportsWhatThePrefixIsSetTo) {
  if (!UnderWine()) GTEST_SKIP() << "needs Wine's version setting";
  if (WineSetting("Software\\Wine", "Version") != "winxp64") {
    GTEST_SKIP() << "the prefix does not report Windows XP x64";
  }
  const OSVERSIONINFOA info = ReadVersionRecord();
  EXPECT_EQ(info.dwMajorVersion, 5u);
  EXPECT_EQ(info.dwMinorVersion, 2u);
  EXPECT_EQ(info.dwBuildNumber, 3790u);
  EXPECT_EQ(WindowsVersionName(), "Windows XP");
}

// Wine reports the version named under AppDefaults\<program> to that
// program only; the key is removed again at the end of the scope.
class ProgramVersion {
 public:
  ProgramVersion(const std::string& program, const std::string& version)
      : key_("Software\\Wine\\AppDefaults\\" + program) {
    HKEY key = nullptr;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, key_.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr,
                        &key, nullptr) != ERROR_SUCCESS) {
      return;
    }
    set_ = RegSetValueExA(key, "Version", 0, REG_SZ, reinterpret_cast<const BYTE*>(version.c_str()),
                          static_cast<DWORD>(version.size() + 1)) == ERROR_SUCCESS;
    RegCloseKey(key);
  }
  ~ProgramVersion() {
    RegDeleteKeyValueA(HKEY_CURRENT_USER, key_.c_str(), "Version");
    RegDeleteKeyA(HKEY_CURRENT_USER, key_.c_str());
  }
  ProgramVersion(const ProgramVersion&) = delete;
  ProgramVersion& operator=(const ProgramVersion&) = delete;

  bool Set() const { return set_; }

 private:
  std::string key_;
  bool set_ = false;
};

std::string BesideThisProgram(const char* name) {
  char path[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string folder(path);
  folder.erase(folder.find_last_of('\\') + 1);
  return folder + name;
}

// Runs the program and returns what it wrote to its standard output, or ""
// if it could not be started or did not end within 30 s.
std::string OutputOf(const std::string& program) {
  SECURITY_ATTRIBUTES inherit{sizeof(inherit), nullptr, TRUE};
  HANDLE readEnd = nullptr;
  HANDLE writeEnd = nullptr;
  if (!CreatePipe(&readEnd, &writeEnd, &inherit, 0)) return "";
  SetHandleInformation(readEnd, HANDLE_FLAG_INHERIT, 0);
  STARTUPINFOA start{};
  start.cb = sizeof(start);
  start.dwFlags = STARTF_USESTDHANDLES;
  start.hStdOutput = writeEnd;
  start.hStdError = writeEnd;
  start.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
  PROCESS_INFORMATION process{};
  std::string commandLine = "\"" + program + "\"";
  const BOOL started = CreateProcessA(program.c_str(), commandLine.data(), nullptr, nullptr, TRUE,
                                      CREATE_NO_WINDOW, nullptr, nullptr, &start, &process);
  CloseHandle(writeEnd);
  std::string output;
  if (started) {
    char chunk[256];
    DWORD got = 0;
    while (ReadFile(readEnd, chunk, sizeof(chunk), &got, nullptr) && got > 0) {
      output.append(chunk, got);
    }
    if (WaitForSingleObject(process.hProcess, 30000) != WAIT_OBJECT_0) {
      TerminateProcess(process.hProcess, 1);
      output.clear();
    }
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
  }
  CloseHandle(readEnd);
  return output;
}

struct ProbeAnswer {
  DWORD major = 0, minor = 0, build = 0;
  std::string name;
  bool parsed = false;
};

ProbeAnswer ParseProbe(const std::string& output) {
  ProbeAnswer answer;
  unsigned long major = 0, minor = 0, build = 0;
  const size_t open = output.find('[');
  const size_t close = output.rfind(']');
  if (std::sscanf(output.c_str(), "%lu.%lu.%lu", &major, &minor, &build) != 3 ||
      open == std::string::npos || close == std::string::npos || close < open) {
    return answer;
  }
  answer = ProbeAnswer{major, minor, build, output.substr(open + 1, close - open - 1), true};
  return answer;
}

TEST(WindowsVersionName, NamesTheVersionsWineCanReportToAProgram) {
  if (!UnderWine()) GTEST_SKIP() << "needs Wine's per-program versions";
  struct Row {
    const char* setting;
    DWORD major, minor, build;
    const char* name;
  };
  const Row rows[] = {
      {"winxp64", 5, 2, 3790, "Windows XP"}, {"winxp", 5, 1, 2600, "Windows XP"},
      {"win2k", 5, 0, 2195, "Windows 2000"}, {"win98", 4, 10, 2222, "Windows 98"},
      {"nt40", 4, 0, 1381, "Windows 95"},    {"win7", 6, 1, 7601, "Windows "},
  };
  const std::string probe = BesideThisProgram("version-probe.exe");
  for (const Row& row : rows) {
    SCOPED_TRACE(row.setting);
    ProgramVersion version("version-probe.exe", row.setting);
    ASSERT_TRUE(version.Set());
    const std::string output = OutputOf(probe);
    const ProbeAnswer answer = ParseProbe(output);
    ASSERT_TRUE(answer.parsed) << "probe wrote: " << output;
    EXPECT_EQ(answer.major, row.major);
    EXPECT_EQ(answer.minor, row.minor);
    // Windows 9x keeps the major and minor version in the high word.
    EXPECT_EQ(answer.build & (row.major == 4 && row.minor != 0 ? 0xFFFF : 0xFFFFFFFF), row.build);
    EXPECT_EQ(answer.name, row.name);
  }
}

}  // namespace
}  // namespace vantrel
