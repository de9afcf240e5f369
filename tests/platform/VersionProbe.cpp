// Prints the Windows version as the program sees it: "major.minor.build" on
// one line, WindowsVersionName() between brackets on the next.
#include <cstdio>

#include "platform/WindowsCheck.h"

int main() {
  const OSVERSIONINFOA info = vantrel::ReadVersionRecord();
  std::printf("%lu.%lu.%lu\n[%s]\n", static_cast<unsigned long>(info.dwMajorVersion),
              static_cast<unsigned long>(info.dwMinorVersion),
              static_cast<unsigned long>(info.dwBuildNumber),
              vantrel::WindowsVersionName().c_str());
  return 0;
}
