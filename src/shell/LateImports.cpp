// Imports the program supplies itself so that it starts on Windows 2000 and
// XP: each finds the system's function when called. GetTickCount64 (called by
// the thread library) came with Vista, the vectored exception handlers (the
// thread library's too) with XP; XP's comctl32 exports the subclass functions
// by number only when no manifest asks for version 6.
#include <windows.h>
// windows.h first
#include <commctrl.h>

#include <atomic>

#include "shell/TickCountImport.h"

namespace {

using TickCountFunction = ULONGLONG(WINAPI*)();
using AddHandlerFunction = PVOID(WINAPI*)(ULONG, PVECTORED_EXCEPTION_HANDLER);
using RemoveHandlerFunction = ULONG(WINAPI*)(PVOID);

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
  static const auto system = Find<TickCountFunction>("kernel32.dll", "GetTickCount64");
  return system ? system() : WidenedTickCount();
}

// The thread library adds a handler as the program starts, before anything of
// the program has run (so no statics here), to name threads for a debugger;
// it removes the handler as the program ends. Where Windows has none, no
// handler is added, as when Windows refuses one: thread names are not raised.
PVOID WINAPI AddExceptionHandler(ULONG first, PVECTORED_EXCEPTION_HANDLER handler) {
  const auto system = Find<AddHandlerFunction>("kernel32.dll", "AddVectoredExceptionHandler");
  return system ? system(first, handler) : nullptr;
}

ULONG WINAPI RemoveExceptionHandler(PVOID handle) {
  const auto system = Find<RemoveHandlerFunction>("kernel32.dll", "RemoveVectoredExceptionHandler");
  return system ? system(handle) : 0;
}

}  // namespace

// Callers go through the import slot, named as the import library names it
// (in 32 bits, with the size of the arguments).
#ifdef _WIN64
#define VANTREL_IMPORT_SLOT(name, argumentBytes) "__imp_" name
#else
#define VANTREL_IMPORT_SLOT(name, argumentBytes) "__imp__" name "@" argumentBytes
#endif

extern "C" {
extern const TickCountFunction vantrelGetTickCount64 asm(VANTREL_IMPORT_SLOT("GetTickCount64",
                                                                             "0"));
const TickCountFunction vantrelGetTickCount64 = TickCount64;
extern const AddHandlerFunction vantrelAddHandler asm(
    VANTREL_IMPORT_SLOT("AddVectoredExceptionHandler", "8"));
const AddHandlerFunction vantrelAddHandler = AddExceptionHandler;
extern const RemoveHandlerFunction vantrelRemoveHandler asm(
    VANTREL_IMPORT_SLOT("RemoveVectoredExceptionHandler", "4"));
const RemoveHandlerFunction vantrelRemoveHandler = RemoveExceptionHandler;
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
