// The small modal window with a progress bar in which the long jobs run.
// Created once, then only hidden; it runs the job when it becomes active and
// hides itself when the job is done.
#pragma once

#include <cstdint>
#include <functional>

#include "platform/ModalWindow.h"

namespace vantrel {

class WaitWindow : public ModalWindow {
 public:
  static constexpr const char* kClassName = "VantrelWaitWindow";
  static constexpr int kProgressBar1 = 1301;

  WaitWindow();

  // Shows the window modally over owner; job runs once the window is active
  // and the call returns when the job has hidden the window.
  void ShowModal(HWND owner, std::function<void()> job);

  // The bar is repainted at once, since a job does not return to the
  // message loop, but only when the value it shows changes.
  void SetRange(int32_t minimum, int32_t maximum);
  void SetValue(int32_t value);
  void SetCaption(const char* caption) { SetWindowTextA(hwnd_, caption); }

 private:
  void OnCreate() override;
  bool OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
  void RunJob();

  std::function<void()> job_;
  bool pending_ = false;
  int32_t minimum_ = 0;
  int32_t maximum_ = 100;
  int32_t shown_ = -1;  // the bar's drawn position, in pixels
  int32_t barWidth_ = 0;
};

}  // namespace vantrel
