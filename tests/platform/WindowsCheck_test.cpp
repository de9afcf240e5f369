// The version name table, and the real version call under the versions Wine
// can report to a program.
#include "platform/WindowsCheck.h"

#include <gtest/gtest.h>

#include <string>

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

}  // namespace
}  // namespace vantrel
