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
  bool Claim();
  // Gives the claim up, so that a copy started from now on may run.
  void Release();

 private:
  HANDLE mutex_ = nullptr;
};

}  // namespace vantrel
