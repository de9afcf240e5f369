// What the document's operations show and ask: the main window's controls and
// message boxes, or a test's script. The operations call only this.
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

  // The main window's state: shows nothing unless a window implements it.
  virtual void SetUndo(const std::string& /*caption*/, bool /*enabled*/) {}  // mnuUndo
  // Text1, Text2, Text3: hosts before, duplicates removed, hosts left.
  virtual void SetCounts(const std::string& /*before*/, const std::string& /*removed*/,
                         const std::string& /*left*/) {}
  virtual void EnableEntryList() {}       // List1 and mnuChange, after a removal that left entries
  virtual void EntriesChanged() {}        // the list's items or selection changed: show them again
  virtual void SetBusy(bool /*busy*/) {}  // hourglass, or the default pointer

  // Inside a job: the wait window's caption and progress bar.
  virtual void SetJobCaption(const std::string& /*caption*/) {}
  virtual void SetProgressRange(int32_t /*minimum*/, int32_t /*maximum*/) {}
  virtual void SetProgressMax(int32_t /*maximum*/) {}
  virtual void SetProgress(int32_t /*value*/) {}
  // Empties Label7 and starts timing; TimeControl shows the elapsed time there.
  virtual void StartTiming() {}
  virtual void TimeControl() {}
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
