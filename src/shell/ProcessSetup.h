// Asked of Windows before any window exists: no UAC file virtualization, so
// that a save the system refuses fails instead of landing in the user's
// VirtualStore, and DPI awareness, so that the windows are drawn sharp.
// Both came with Windows Vista; older systems start all the same.
#pragma once

#include <windows.h>

namespace vantrel {

// The system calls used, each null where this Windows lacks it; tests put
// in their own.
struct ProcessSetupCalls {
  BOOL(WINAPI* openProcessToken)(HANDLE process, DWORD access, PHANDLE token) = nullptr;
  BOOL(WINAPI* setTokenInformation)
  (HANDLE token, TOKEN_INFORMATION_CLASS kind, LPVOID value, DWORD size) = nullptr;
  BOOL(WINAPI* closeHandle)(HANDLE handle) = nullptr;
  BOOL(WINAPI* setProcessDpiAware)() = nullptr;
};

// This system's calls; SetProcessDPIAware looked up at run time.
ProcessSetupCalls SystemProcessSetupCalls();

struct ProcessSetupOutcome {
  bool virtualizationOff = false;
  bool dpiAware = false;
};

// A missing call or a refusal is ignored.
ProcessSetupOutcome PrepareProcess(const ProcessSetupCalls& calls);

}  // namespace vantrel
