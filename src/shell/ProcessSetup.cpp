#include "shell/ProcessSetup.h"

namespace vantrel {

namespace {

// TokenVirtualizationEnabled, missing from older headers.
constexpr auto kTokenVirtualizationEnabled = static_cast<TOKEN_INFORMATION_CLASS>(24);

bool TurnVirtualizationOff(const ProcessSetupCalls& calls) {
  if (!calls.openProcessToken || !calls.setTokenInformation || !calls.closeHandle) return false;
  HANDLE token = nullptr;
  if (!calls.openProcessToken(GetCurrentProcess(), TOKEN_ADJUST_DEFAULT, &token)) return false;
  DWORD enabled = 0;
  const bool off =
      calls.setTokenInformation(token, kTokenVirtualizationEnabled, &enabled, sizeof(enabled));
  calls.closeHandle(token);
  return off;
}

}  // namespace

ProcessSetupCalls SystemProcessSetupCalls() {
  ProcessSetupCalls calls{OpenProcessToken, SetTokenInformation, CloseHandle, nullptr};
  if (HMODULE user32 = GetModuleHandleA("user32.dll")) {
    calls.setProcessDpiAware = reinterpret_cast<BOOL(WINAPI*)()>(
        reinterpret_cast<void (*)()>(GetProcAddress(user32, "SetProcessDPIAware")));
  }
  return calls;
}

ProcessSetupOutcome PrepareProcess(const ProcessSetupCalls& calls) {
  return {TurnVirtualizationOff(calls), calls.setProcessDpiAware && calls.setProcessDpiAware()};
}

}  // namespace vantrel
