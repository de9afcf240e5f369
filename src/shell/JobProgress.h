// The main window's side of the document's long jobs: each runs in the wait
// window, holds the busy pointer from its first progress on, and leaves the
// label with the last job's time empty until it ends, putting the old time
// back should it fail.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>

#include "windows/WaitWindow.h"

namespace vantrel {

class JobProgress {
 public:
  void Attach(HWND owner, HWND timeLabel) {
    owner_ = owner;
    timeLabel_ = timeLabel;
  }
  // The busy pointer over the owner, also for work outside a job.
  void SetBusy(bool busy);
  // WM_SETCURSOR: true when it showed the busy pointer.
  bool SetCursor() const;

  // Returns when the job has ended; a failure of the job goes on to the caller.
  void Run(const std::function<void()>& job);
  void SetCaption(const std::string& caption) { wait_.SetCaption(caption.c_str()); }
  void SetRange(int32_t minimum, int32_t maximum);
  void SetValue(int32_t value) { wait_.SetValue(value); }

 private:
  WaitWindow wait_;
  HWND owner_ = nullptr;
  HWND timeLabel_ = nullptr;
  bool busy_ = false;
  bool timing_ = false;       // a timed job runs: the time label is empty until it ends
  char timeBefore_[32] = {};  // the label before then, shown again should the job fail
};

}  // namespace vantrel
