// What the document's operations ask and tell while they run: message boxes, the input box and the
// wait window, or a test's script. What they change stays in the document, which the window draws
// once the command is done.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

namespace vantrel {

enum class Icon { None, Information, Question, Critical, Exclamation };

class DocumentUi {
 public:
  virtual ~DocumentUi() = default;

  // A Yes/No message box with the question icon; true only for Yes.
  virtual bool AskYesNo(const std::string& caption, const std::string& text) = 0;
  // An OK-only message box.
  virtual void Tell(const std::string& caption, const std::string& text, Icon icon) = 0;
  // The input box; "" for Cancel or an empty field.
  virtual std::string Input(const std::string& prompt, const std::string& title,
                            const std::string& initial) = 0;
  // Shows the wait window modally and runs job in it. Whatever the job
  // throws comes out of this call, never through the window.
  virtual void RunInWaitWindow(const std::function<void()>& job) = 0;

  // Inside a job: the wait window's caption and progress bar.
  virtual void SetJobCaption(const std::string& /*caption*/) {}
  virtual void SetProgressRange(int32_t /*minimum*/, int32_t /*maximum*/) {}
  virtual void SetProgress(int32_t /*value*/) {}
};

// Gives the progress bar the values that adding n elements one by one would, but only the
// first of each percent: no million repaints.
inline void ShowProgressThrough(DocumentUi& ui, int32_t n) {
  int32_t shown = 0;
  for (int64_t percent = 1; n > 0 && percent <= 100; ++percent) {
    const auto value = static_cast<int32_t>((percent * n + 99) / 100);
    if (value == shown) continue;
    shown = value;
    ui.SetProgress(value);
  }
}

}  // namespace vantrel
