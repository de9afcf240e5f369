// The claim that only one copy of the program runs: a named mutex held for
// the life of the process. A second start finds it taken and ends.
#pragma once

#include <windows.h>

namespace vantrel {

class SingleInstance {
 public:
  static constexpr const char* kName = "Vantrel.SingleInstance.5C2E7A41";

  SingleInstance() = default;
  SingleInstance(const SingleInstance&) = delete;
  SingleInstance& operator=(const SingleInstance&) = delete;
  ~SingleInstance() { Release(); }

  // True when no other copy holds the claim; this process holds it then.
  bool Claim() {
    if (mutex_) return true;
    HANDLE mutex = CreateMutexA(nullptr, FALSE, kName);
    if (!mutex) return true;  // no claim can be made: better to run than to refuse
    if (GetLastError() == ERROR_ALREADY_EXISTS) {
      CloseHandle(mutex);
      return false;
    }
    mutex_ = mutex;
    return true;
  }
  // Lets a copy started from now on run.
  void Release() {
    if (mutex_) CloseHandle(mutex_);
    mutex_ = nullptr;
  }

 private:
  HANDLE mutex_ = nullptr;
};

}  // namespace vantrel
