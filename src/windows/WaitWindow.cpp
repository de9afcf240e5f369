#include "windows/WaitWindow.h"

#include <commctrl.h>

#include "platform/FixedWindow.h"
#include "platform/ModalWindow.h"

namespace vantrel {

namespace {

constexpr FixedWindowSpec kWindow{WaitWindow::kClassName, " ",  WS_POPUP | WS_CAPTION | WS_BORDER,
                                  WS_EX_DLGMODALFRAME,    3975, 495};
// Where the window goes when it is created, from the main window's corner.
constexpr POINT kOffset{3000, 3200};
constexpr UINT kRunJob = WM_APP + 1;

const ControlSpec kControls[] = {
    {WaitWindow::kProgressBar1, "ProgressBar1", Kind::Progress, "", 240, 120, 3495, 255, -1},
};

}  // namespace

bool WaitWindow::CreateOnce(HWND owner) {
  if (hwnd_) return true;
  if (!Register(kClassName, nullptr)) return false;
  if (!CreateFixedWindow(kWindow, OffsetFromWindow(owner, kOffset.x, kOffset.y), owner, this)) {
    return false;
  }
  font_ = MakeFont({"Tahoma", 9.75});
  controls_.Create(hwnd_, kControls, font_.Get());
  SendMessageA(controls_[kProgressBar1], PBM_SETRANGE32, 0, 100);
  RECT bar{};
  GetClientRect(controls_[kProgressBar1], &bar);
  barWidth_ = bar.right - bar.left;
  return true;
}

void WaitWindow::ShowModal(HWND owner, std::function<void()> job) {
  if (!CreateOnce(owner)) return;
  job_ = std::move(job);
  pending_ = true;
  RunModal(hwnd_, owner);
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
  ShowWindow(hwnd_, SW_HIDE);
}

int32_t WaitWindow::ShownPosition(int32_t value) const {
  const int64_t span = static_cast<int64_t>(maximum_) - minimum_;
  if (span <= 0) return 0;
  return static_cast<int32_t>((static_cast<int64_t>(value) - minimum_) * barWidth_ / span);
}

void WaitWindow::SetRange(int32_t minimum, int32_t maximum) {
  minimum_ = minimum;
  maximum_ = maximum;
  SendMessageA(controls_[kProgressBar1], PBM_SETRANGE32, static_cast<WPARAM>(minimum),
               static_cast<LPARAM>(maximum));
  shown_ = -1;
}

void WaitWindow::SetMax(int32_t maximum) { SetRange(minimum_, maximum); }

void WaitWindow::SetValue(int32_t value) {
  const int32_t position = ShownPosition(value);
  if (position == shown_ && value != maximum_) return;
  shown_ = position;
  HWND bar = controls_[kProgressBar1];
  SendMessageA(bar, PBM_SETPOS, static_cast<WPARAM>(value), 0);
  UpdateWindow(bar);
}

LRESULT WaitWindow::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_ACTIVATE:
      if (LOWORD(wParam) != WA_INACTIVE && pending_) PostMessageA(hwnd_, kRunJob, 0, 0);
      return Default(msg, wParam, lParam);
    case WM_SHOWWINDOW:
      if (wParam && pending_) PostMessageA(hwnd_, kRunJob, 0, 0);
      return Default(msg, wParam, lParam);
    case kRunJob:
      RunJob();
      return 0;
    case WM_CLOSE:
      return 0;  // only the job ends the window's showing
    default:
      return Default(msg, wParam, lParam);
  }
}

}  // namespace vantrel
