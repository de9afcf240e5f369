#include "shell/JobProgress.h"

#include <exception>
#include <utility>

namespace vantrel {

void JobProgress::SetBusy(bool busy) {
  busy_ = busy;
  ::SetCursor(LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(busy ? IDC_WAIT : IDC_ARROW)));
}

bool JobProgress::SetCursor() const {
  if (!busy_) return false;
  ::SetCursor(LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_WAIT)));
  return true;
}

void JobProgress::Run(const std::function<void()>& job) {
  std::exception_ptr failure;
  // The job runs inside the wait window's window procedure: a failure goes
  // out to this call's caller, never through Windows.
  wait_.ShowModal(owner_, [&] {
    try {
      job();
    } catch (...) {
      failure = std::current_exception();
    }
  });
  if (busy_) SetBusy(false);
  const bool timed = std::exchange(timing_, false);
  if (!failure) return;
  if (timed) SetWindowTextA(timeLabel_, timeBefore_);
  std::rethrow_exception(failure);
}

void JobProgress::SetRange(int32_t minimum, int32_t maximum) {
  SetBusy(true);
  // Takes no memory: the job may already have changed the document.
  if (!timing_) {
    GetWindowTextA(timeLabel_, timeBefore_, sizeof(timeBefore_));
    timing_ = true;
    SetWindowTextA(timeLabel_, "");
  }
  wait_.SetRange(minimum, maximum);
}

}  // namespace vantrel
