#include "shell/ProcessSetup.h"

namespace vantrel {

namespace {

// Not in older headers; the value Windows Vista gave it.
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
  ProcessSetupCalls calls;
  // Every Windows NT has these; only the token class is new with Vista.
  calls.openProcessToken = OpenProcessToken;
  calls.setTokenInformation = SetTokenInformation;
  calls.closeHandle = CloseHandle;
  // New with Vista: looked up, so that older systems start all the same.
  HMODULE user32 = GetModuleHandleA("user32.dll");
  if (user32) {
    calls.setProcessDpiAware = reinterpret_cast<BOOL(WINAPI*)()>(
        reinterpret_cast<void (*)()>(GetProcAddress(user32, "SetProcessDPIAware")));
  }
  return calls;
}

ProcessSetupOutcome PrepareProcess(const ProcessSetupCalls& calls) {
  ProcessSetupOutcome outcome;
  outcome.virtualizationOff = TurnVirtualizationOff(calls);
  outcome.dpiAware = calls.setProcessDpiAware && calls.setProcessDpiAware();
  return outcome;
}

}  // namespace vantrel
