// Imports the program supplies itself so that it starts on Windows XP: each
// finds the system's function at its first call. GetTickCount64 (called by the
// thread library) came with Vista; XP's comctl32 exports the subclass
// functions by number only when no manifest asks for version 6.
#include <windows.h>
// windows.h first
#include <commctrl.h>

#include <atomic>

#include "shell/TickCountImport.h"

namespace {

template <typename Function>
Function Find(const char* module, const char* name) {
  HMODULE library = GetModuleHandleA(module);
  if (!library) return nullptr;
  return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(GetProcAddress(library, name)));
}

ULONGLONG WINAPI WidenedTickCount() {
  static std::atomic<uint64_t> last{0};
  uint64_t previous = last.load();
  for (;;) {
    // Read after previous, so it is never behind it but for a wrap.
    const uint64_t now = vantrel::WidenTick(previous, GetTickCount());
    if (last.compare_exchange_weak(previous, now)) return now;
  }
}

ULONGLONG WINAPI TickCount64() {
  static const auto system = Find<ULONGLONG(WINAPI*)()>("kernel32.dll", "GetTickCount64");
  return system ? system() : WidenedTickCount();
}

}  // namespace

// Callers go through the import slot, named as the import library names it.
#ifdef _WIN64
#define VANTREL_TICK_COUNT_SLOT "__imp_GetTickCount64"
#else
#define VANTREL_TICK_COUNT_SLOT "__imp__GetTickCount64@0"
#endif

extern "C" {
extern ULONGLONG(WINAPI* const vantrelGetTickCount64)() asm(VANTREL_TICK_COUNT_SLOT);
ULONGLONG(WINAPI* const vantrelGetTickCount64)() = TickCount64;
}

// comctl32 is imported (InitCommonControls), so it is loaded before these run.
BOOL WINAPI SetWindowSubclass(HWND window, SUBCLASSPROC procedure, UINT_PTR id, DWORD_PTR data) {
  static const auto system =
      Find<decltype(&SetWindowSubclass)>("comctl32.dll", MAKEINTRESOURCEA(410));
  return system ? system(window, procedure, id, data) : FALSE;
}

BOOL WINAPI RemoveWindowSubclass(HWND window, SUBCLASSPROC procedure, UINT_PTR id) {
  static const auto system =
      Find<decltype(&RemoveWindowSubclass)>("comctl32.dll", MAKEINTRESOURCEA(412));
  return system ? system(window, procedure, id) : FALSE;
}

LRESULT WINAPI DefSubclassProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
  static const auto system =
      Find<decltype(&DefSubclassProc)>("comctl32.dll", MAKEINTRESOURCEA(413));
  return system ? system(window, msg, wParam, lParam) : DefWindowProcA(window, msg, wParam, lParam);
}
