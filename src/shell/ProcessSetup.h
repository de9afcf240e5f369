// What the program asks of Windows for its own process before any window
// exists: no UAC file virtualization, so that a save the system refuses
// fails instead of landing in the user's VirtualStore, and DPI awareness,
// so that the windows, laid out at the system's DPI, are drawn sharp.
// Both came with Windows Vista: before it the token refuses the setting and
// SetProcessDPIAware is missing, and the program starts all the same.
#pragma once

#include <windows.h>

namespace vantrel {

// The system calls used, each null where this Windows lacks it. Tests put
// in their own, to see what is asked and to refuse it.
struct ProcessSetupCalls {
  BOOL(WINAPI* openProcessToken)(HANDLE process, DWORD access, PHANDLE token) = nullptr;
  BOOL(WINAPI* setTokenInformation)
  (HANDLE token, TOKEN_INFORMATION_CLASS kind, LPVOID value, DWORD size) = nullptr;
  BOOL(WINAPI* closeHandle)(HANDLE handle) = nullptr;
  BOOL(WINAPI* setProcessDpiAware)() = nullptr;
};

// The calls of this system; SetProcessDPIAware looked up at run time.
ProcessSetupCalls SystemProcessSetupCalls();

struct ProcessSetupOutcome {
  bool virtualizationOff = false;
  bool dpiAware = false;
};

// Turns UAC file virtualization off for this process and declares it
// DPI-aware, where the calls exist. A missing call or a refusal is ignored.
ProcessSetupOutcome PrepareProcess(const ProcessSetupCalls& calls);

}  // namespace vantrel
