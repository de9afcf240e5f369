#include "windows/WaitWindow.h"

#include <commctrl.h>

namespace vantrel {

namespace {

constexpr UINT kRunJob = WM_APP + 1;

constexpr ControlDef kControls[] = {
    {WaitWindow::kProgressBar1, "ProgressBar1", Kind::Progress, "", 240, 120, 3495, 255, -1},
};

constexpr ModalWindowDef kWindow{
    {WaitWindow::kClassName, " ", WS_POPUP | WS_CAPTION | WS_BORDER, WS_EX_DLGMODALFRAME, 3975,
     495},
    kControls,
    {"Tahoma", 9.75},
    0,
    {3000, 3200},
};

}  // namespace

WaitWindow::WaitWindow() : ModalWindow(kWindow) {}

void WaitWindow::OnCreate() {
  SendMessageA(controls_[kProgressBar1], PBM_SETRANGE32, 0, 100);
  RECT bar{};
  GetClientRect(controls_[kProgressBar1], &bar);
  barWidth_ = bar.right - bar.left;
}

void WaitWindow::ShowModal(HWND owner, std::function<void()> job) {
  job_ = std::move(job);
  pending_ = true;
  ModalWindow::ShowModal(owner);
  pending_ = false;
}

void WaitWindow::RunJob() {
  if (!pending_) return;
  pending_ = false;
  UpdateWindow(hwnd_);
  try {
    if (job_) job_();
  } catch (...) {
    // A failing job must still give the window back to the user.
  }
  job_ = nullptr;
  End();
}

void WaitWindow::SetRange(int32_t minimum, int32_t maximum) {
  minimum_ = minimum;
  maximum_ = maximum;
  SendMessageA(controls_[kProgressBar1], PBM_SETRANGE32, static_cast<WPARAM>(minimum),
               static_cast<LPARAM>(maximum));
  shown_ = -1;
}

void WaitWindow::SetValue(int32_t value) {
  const int64_t span = static_cast<int64_t>(maximum_) - minimum_;
  const int32_t position =
      span <= 0 ? 0
                : static_cast<int32_t>((static_cast<int64_t>(value) - minimum_) * barWidth_ / span);
  if (position == shown_ && value != maximum_) return;
  shown_ = position;
  SendMessageA(controls_[kProgressBar1], PBM_SETPOS, static_cast<WPARAM>(value), 0);
  UpdateWindow(controls_[kProgressBar1]);
}

// None of the dialog handling: neither Escape nor the frame ends the
// showing, only the job does.
bool WaitWindow::OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  const bool shown =
      (msg == WM_ACTIVATE && LOWORD(wParam) != WA_INACTIVE) || (msg == WM_SHOWWINDOW && wParam);
  if (shown && pending_) PostMessageA(hwnd_, kRunJob, 0, 0);
  if (msg == kRunJob) RunJob();
  result = msg == kRunJob || msg == WM_CLOSE ? 0 : Default(msg, wParam, lParam);
  return true;
}

}  // namespace vantrel
