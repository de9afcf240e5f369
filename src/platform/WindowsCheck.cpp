#include "platform/WindowsCheck.h"

#include <cstring>

namespace vantrel {

static_assert(sizeof(OSVERSIONINFOA) == 148);

OSVERSIONINFOA ReadVersionRecord() {
  OSVERSIONINFOA info;
  std::memset(&info, 0, sizeof(info));
  info.dwOSVersionInfoSize = sizeof(info);
  std::memset(info.szCSDVersion, ' ', sizeof(info.szCSDVersion));
  // The result is not tested: a failure leaves the numbers at 0, which
  // names no particular version.
  GetVersionExA(&info);
  return info;
}

std::string VersionNameFor(DWORD major, DWORD minor, DWORD build) {
  switch (major) {
    case 1:
    case 4:
      if (minor == 0) return "Windows 95";
      if (minor == 10) return "Windows 98";
      if (minor == 90) return "Windows ME";
      return "";
    case 2:
      return "";
    case 5:
      return build >= 2600 ? "Windows XP" : "Windows 2000";
    default:
      // 0 (the call failed), 3, and 6 or later.
      return "Windows ";
  }
}

std::string WindowsVersionName() {
  const OSVERSIONINFOA info = ReadVersionRecord();
  return VersionNameFor(info.dwMajorVersion, info.dwMinorVersion, info.dwBuildNumber);
}

}  // namespace vantrel
