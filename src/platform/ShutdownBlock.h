// The reason Windows shows for a program that keeps the session from
// ending. Only Windows Vista and later have one; elsewhere nothing shows.
#pragma once

#include <windows.h>

namespace vantrel {

class ShutdownBlock {
 public:
  ShutdownBlock() = default;
  ~ShutdownBlock() { Release(); }
  ShutdownBlock(const ShutdownBlock&) = delete;
  ShutdownBlock& operator=(const ShutdownBlock&) = delete;

  // Shows reason for window until Release.
  void Hold(HWND window, const wchar_t* reason);
  void Release();

 private:
  HWND window_ = nullptr;
};

}  // namespace vantrel
