// The name of the Windows version the program runs on, as start-up compares
// it ("Windows 2000", "Windows XP").
#pragma once

#include <windows.h>

#include <string>

namespace vantrel {

// The platform's version record, zeroed with its size and its service-pack
// text (all blanks) set before the call. A failed call leaves the numbers 0.
OSVERSIONINFOA ReadVersionRecord();

// The display name for these version numbers; the branch is chosen by the
// major version alone.
std::string VersionNameFor(DWORD major, DWORD minor, DWORD build);

// VersionNameFor the numbers the platform reports.
inline std::string WindowsVersionName() {
  const OSVERSIONINFOA info = ReadVersionRecord();
  return VersionNameFor(info.dwMajorVersion, info.dwMinorVersion, info.dwBuildNumber);
}

}  // namespace vantrel
