// The end of the Windows session for a window with a document that may have
// unsaved changes. Windows sends no WM_CLOSE then: the question about the
// changes comes when the system asks whether the session may end.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>

#include "core/HostsDocument.h"
#include "platform/ShutdownBlock.h"

namespace vantrel {

class SessionEnd {
 public:
  // WM_QUERYENDSESSION: whether the session may end. askToSave asks about
  // doc's changes and saves them; false keeps the session.
  BOOL OnQuery(HWND window, LPARAM flags, const HostsDocument& doc,
               const std::function<bool()>& askToSave);
  // WM_ENDSESSION: the query is over, whether the session ends or not.
  void OnEnd();
  // The query's question is showing.
  bool Asking() const { return asking_; }

 private:
  bool asking_ = false;
  bool mayEnd_ = false;              // the user let the session end ...
  int32_t answeredChangeCount_ = 0;  // ... with this many changes
  ShutdownBlock block_;
};

}  // namespace vantrel
