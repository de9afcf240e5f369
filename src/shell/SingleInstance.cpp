#include "shell/SingleInstance.h"

namespace vantrel {

bool SingleInstance::Claim() {
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

void SingleInstance::Release() {
  if (!mutex_) return;
  CloseHandle(mutex_);
  mutex_ = nullptr;
}

}  // namespace vantrel
