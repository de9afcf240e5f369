#include "platform/WindowsCheck.h"

#include <cstring>

namespace vantrel {

static_assert(sizeof(OSVERSIONINFOA) == 148);

OSVERSIONINFOA ReadVersionRecord() {
  OSVERSIONINFOA info{};
  info.dwOSVersionInfoSize = sizeof(info);
  std::memset(info.szCSDVersion, ' ', sizeof(info.szCSDVersion));
  // A failure leaves the numbers at 0, which name no particular version.
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

}  // namespace vantrel
