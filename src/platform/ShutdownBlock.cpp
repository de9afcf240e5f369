#include "platform/ShutdownBlock.h"

namespace vantrel {

namespace {

// Looked up at run time: systems before Vista have no such calls.
template <class Fn>
Fn User32Function(const char* name) {
  HMODULE user32 = GetModuleHandleA("user32.dll");
  if (!user32) return nullptr;
  return reinterpret_cast<Fn>(reinterpret_cast<void (*)()>(GetProcAddress(user32, name)));
}

using CreateReasonFn = BOOL(WINAPI*)(HWND, LPCWSTR);
using DestroyReasonFn = BOOL(WINAPI*)(HWND);

}  // namespace

void ShutdownBlock::Hold(HWND window, const wchar_t* reason) {
  Release();
  const auto create = User32Function<CreateReasonFn>("ShutdownBlockReasonCreate");
  if (create && create(window, reason)) window_ = window;
}

void ShutdownBlock::Release() {
  if (!window_) return;
  if (const auto destroy = User32Function<DestroyReasonFn>("ShutdownBlockReasonDestroy")) {
    destroy(window_);
  }
  window_ = nullptr;
}

}  // namespace vantrel
