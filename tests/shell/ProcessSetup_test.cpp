// What start-up asks of Windows for its process, through stand-ins that
// record what they are asked and refuse on demand; and this system's calls.
#include <gtest/gtest.h>

#include <string>

#include "shell/ProcessStart.h"

namespace vantrel::test {
namespace {

HANDLE const kToken = reinterpret_cast<HANDLE>(0x1234);

struct Record {
  std::string calls;
  bool tokenRefused = false, settingRefused = false;
} record;

BOOL WINAPI OpenToken(HANDLE process, DWORD access, PHANDLE token) {
  record.calls += "open ";
  EXPECT_TRUE(process == GetCurrentProcess() && (access & TOKEN_ADJUST_DEFAULT));
  *token = kToken;
  return !record.tokenRefused;
}

BOOL WINAPI SetToken(HANDLE token, TOKEN_INFORMATION_CLASS kind, LPVOID value, DWORD size) {
  record.calls += "set ";
  // TokenVirtualizationEnabled, to 0.
  EXPECT_TRUE(token == kToken && kind == 24 && size == 4 && *static_cast<DWORD*>(value) == 0);
  return !record.settingRefused;
}

BOOL WINAPI Close(HANDLE handle) {
  record.calls += "close ";
  EXPECT_EQ(handle, kToken);
  return TRUE;
}

BOOL WINAPI DpiAware() {
  record.calls += "dpi ";
  return TRUE;
}

TEST(ProcessSetup, MissingOrRefusedCallsAreHarmlessAndTheTokenIsAlwaysClosed) {
  using Change = void (*)(ProcessSetupCalls&, Record&);
  const struct {
    const char* name;
    Change change;
    const char* calls;
  } cases[] = {
      {"all there", [](ProcessSetupCalls&, Record&) {}, "open set close dpi "},
      // Before Vista the token refuses a class it does not know.
      {"setting refused", [](ProcessSetupCalls&, Record& r) { r.settingRefused = true; },
       "open set close dpi "},
      {"token refused", [](ProcessSetupCalls&, Record& r) { r.tokenRefused = true; }, "open dpi "},
      {"no SetProcessDPIAware", [](ProcessSetupCalls& c, Record&) { c.setProcessDpiAware = {}; },
       "open set close "},
      {"no SetTokenInformation", [](ProcessSetupCalls& c, Record&) { c.setTokenInformation = {}; },
       "dpi "},
      {"nothing there", [](ProcessSetupCalls& c, Record&) { c = {}; }, ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    record = {};
    ProcessSetupCalls calls{OpenToken, SetToken, Close, DpiAware};
    c.change(calls, record);
    PrepareProcess(calls);
    EXPECT_EQ(record.calls, c.calls);
  }
}

TEST(ProcessSetup, ThisSystemsCallsDoNoHarmAndTheProcessBecomesDpiAware) {
  PrepareProcess(SystemProcessSetupCalls());
  auto isAware = reinterpret_cast<BOOL(WINAPI*)()>(reinterpret_cast<void (*)()>(
      GetProcAddress(GetModuleHandleA("user32.dll"), "IsProcessDPIAware")));
  ASSERT_NE(isAware, nullptr);
  EXPECT_TRUE(isAware());
}

}  // namespace
}  // namespace vantrel::test
