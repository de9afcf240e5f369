// The one scripted UI of the tests: answers the questions, the input box, Save Options and the
// save dialog from queues, records what the program said and asked, and runs the wait window's
// jobs. What the main window would show is read from the document. Its own bookkeeping takes
// none of the memory that the out-of-memory tests fail, as the window's takes none.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "save/SaveUi.h"
#include "support/FailingAllocator.h"

namespace vantrel::test {

class ScriptedUi : public SaveUi {
 public:
  struct Message {
    std::string caption;
    std::string text;
    Icon icon = Icon::None;
    bool operator==(const Message&) const = default;
  };
  struct InputAsked {
    std::string prompt;
    std::string title;
    std::string initial;
    bool operator==(const InputAsked&) const = default;
  };

  // --- script
  void AnswerYesNo(bool yes) { yesNo_.push_back(yes); }
  void AnswerInput(std::string text) { inputs_.push_back(std::move(text)); }
  // Standing answers, once the queued ones are used up: for runs that ask the same again and again.
  std::optional<bool> everyYesNo;
  std::optional<std::string> everyInput;
  std::optional<SaveChoice> everyOption;
  std::optional<std::string> everyFile;

  // --- what was shown and asked
  std::vector<std::string> Calls;  // "Name(args)" of every call, in order
  std::vector<Message> Questions;  // AskYesNo, icon Question
  std::vector<Message> Told;       // Tell
  std::vector<InputAsked> Inputs;

  // --- the wait window as the calls left it; the main window's state is the document's
  int WaitWindowShown = 0;
  std::string JobCaption = " ";
  int32_t ProgressMin = 0;
  int32_t ProgressMax = 100;
  std::vector<int32_t> ProgressValues;

  // Only the names of the calls, for checking their order.
  std::vector<std::string> CallNames() const {
    std::vector<std::string> names;
    for (const std::string& call : Calls) names.push_back(call.substr(0, call.find('(')));
    return names;
  }
  void Forget() {
    Calls.clear();
    Questions.clear();
    Told.clear();
    Inputs.clear();
    ProgressValues.clear();
  }

  bool AskYesNo(const std::string& caption, const std::string& text) override {
    const SparedAllocations spared;
    Calls.push_back("AskYesNo(" + caption + ", " + text + ")");
    Questions.push_back({caption, text, Icon::Question});
    return Take(yesNo_, everyYesNo, "question");
  }
  void Tell(const std::string& caption, const std::string& text, Icon icon) override {
    const SparedAllocations spared;
    Calls.push_back("Tell(" + caption + ", " + text + ")");
    Told.push_back({caption, text, icon});
  }
  std::string Input(const std::string& prompt, const std::string& title,
                    const std::string& initial) override {
    const SparedAllocations spared;
    Calls.push_back("Input(" + prompt + ", " + title + ", " + initial + ")");
    Inputs.push_back({prompt, title, initial});
    return Take(inputs_, everyInput, "input box");
  }
  // Runs the job, as the wait window does.
  void RunInWaitWindow(const std::function<void()>& job) override {
    {
      const SparedAllocations spared;
      Calls.push_back("RunInWaitWindow()");
      ++WaitWindowShown;
    }
    job();
  }
  void SetJobCaption(const std::string& caption) override {
    const SparedAllocations spared;
    Calls.push_back("SetJobCaption(" + caption + ")");
    JobCaption = caption;
  }
  void SetProgressRange(int32_t minimum, int32_t maximum) override {
    const SparedAllocations spared;
    Calls.push_back("SetProgressRange(" + std::to_string(minimum) + ", " + std::to_string(maximum) +
                    ")");
    ProgressMin = minimum;
    ProgressMax = maximum;
  }
  void SetProgress(int32_t value) override {
    const SparedAllocations spared;
    Calls.push_back("SetProgress(" + std::to_string(value) + ")");
    ProgressValues.push_back(value);
  }

  // Answers of Save Options and the save dialog, used in order.
  std::deque<SaveChoice> options;
  std::deque<std::optional<std::string>> files;  // nullopt cancels

  // What happened.
  std::vector<SaveChoice> presets;
  std::vector<FileDialogOptions> dialogs;
  int ended = 0;
  Elevation* elevation = nullptr;  // none: saving as administrator is not offered

  SaveChoice ShowSaveOptions(const SaveChoice& preset) override {
    const SparedAllocations spared;
    presets.push_back(preset);
    return Take(options, everyOption, "Save Options");
  }
  std::optional<std::string> ShowSaveDialog(const FileDialogOptions& options) override {
    const SparedAllocations spared;
    dialogs.push_back(options);
    return Take(files, everyFile, "save dialog");
  }
  void EndProgram() override { ++ended; }
  Elevation* Elevator() override { return elevation; }

  // Every queued answer used and no question left without one.
  bool AllAnswered() const {
    return !unanswered_ && yesNo_.empty() && inputs_.empty() && options.empty() && files.empty();
  }

 private:
  std::deque<bool> yesNo_;
  std::deque<std::string> inputs_;
  bool unanswered_ = false;
  template <class T, class Standing>
  T Take(std::deque<T>& answers, const std::optional<Standing>& standing, const char* what) {
    if (answers.empty() && standing) return T{*standing};
    if (answers.empty()) {
      unanswered_ = true;
      ADD_FAILURE() << "unanswered " << what;
      return T{};
    }
    T answer = answers.front();
    answers.pop_front();
    return answer;
  }
};

}  // namespace vantrel::test
