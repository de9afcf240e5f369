// The reason Windows shows for a program that keeps the session from
// ending. Only Windows Vista and later have one; elsewhere nothing shows.
#pragma once

#include <windows.h>

#include <utility>

namespace vantrel {

// The system's calls, null where this Windows lacks them.
struct ShutdownBlockCalls {
  BOOL(WINAPI* create)(HWND window, LPCWSTR reason);
  BOOL(WINAPI* destroy)(HWND window);
};

class ShutdownBlock {
 public:
  ShutdownBlock() = default;
  ~ShutdownBlock() { Release(); }
  ShutdownBlock(const ShutdownBlock&) = delete;
  ShutdownBlock& operator=(const ShutdownBlock&) = delete;

  // Shows reason for window until Release.
  void Hold(HWND window, const wchar_t* reason) {
    Release();
    const auto create = Calls().create;
    if (create && create(window, reason)) window_ = window;
  }
  void Release() {
    if (!window_) return;
    if (const auto destroy = Calls().destroy) destroy(window_);
    window_ = nullptr;
  }

  // The calls every block makes from now on, for tests; returns those before.
  static ShutdownBlockCalls Use(ShutdownBlockCalls calls) { return std::exchange(Calls(), calls); }

 private:
  static ShutdownBlockCalls& Calls() {
    static ShutdownBlockCalls calls{
        User32<BOOL(WINAPI*)(HWND, LPCWSTR)>("ShutdownBlockReasonCreate"),
        User32<BOOL(WINAPI*)(HWND)>("ShutdownBlockReasonDestroy")};
    return calls;
  }

  // Looked up at run time: systems before Vista have no such calls.
  template <class Fn>
  static Fn User32(const char* name) {
    const HMODULE user32 = GetModuleHandleA("user32.dll");
    return user32 ? reinterpret_cast<Fn>(reinterpret_cast<void (*)()>(GetProcAddress(user32, name)))
                  : nullptr;
  }

  HWND window_ = nullptr;
};

}  // namespace vantrel
