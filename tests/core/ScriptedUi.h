// The one scripted UI of the tests: answers the questions, the input box, Save Options and the
// save dialog from queues, records what the program said and asked, and runs the wait window's
// jobs. What the main window would show is read from the document.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "save/SaveUi.h"

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
    Calls.push_back("AskYesNo(" + caption + ", " + text + ")");
    Questions.push_back({caption, text, Icon::Question});
    if (yesNo_.empty()) {
      unanswered_ = true;
      ADD_FAILURE() << "unanswered question: " << text;
      return false;
    }
    const bool yes = yesNo_.front();
    yesNo_.pop_front();
    return yes;
  }
  void Tell(const std::string& caption, const std::string& text, Icon icon) override {
    Calls.push_back("Tell(" + caption + ", " + text + ")");
    Told.push_back({caption, text, icon});
  }
  std::string Input(const std::string& prompt, const std::string& title,
                    const std::string& initial) override {
    Calls.push_back("Input(" + prompt + ", " + title + ", " + initial + ")");
    Inputs.push_back({prompt, title, initial});
    if (inputs_.empty()) {
      unanswered_ = true;
      ADD_FAILURE() << "unanswered input box: " << prompt;
      return "";
    }
    std::string text = inputs_.front();
    inputs_.pop_front();
    return text;
  }
  // Runs the job, as the wait window does.
  void RunInWaitWindow(const std::function<void()>& job) override {
    Calls.push_back("RunInWaitWindow()");
    ++WaitWindowShown;
    job();
  }
  void SetJobCaption(const std::string& caption) override {
    Calls.push_back("SetJobCaption(" + caption + ")");
    JobCaption = caption;
  }
  void SetProgressRange(int32_t minimum, int32_t maximum) override {
    Calls.push_back("SetProgressRange(" + std::to_string(minimum) + ", " + std::to_string(maximum) +
                    ")");
    ProgressMin = minimum;
    ProgressMax = maximum;
  }
  void SetProgress(int32_t value) override {
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
    presets.push_back(preset);
    return Take(options, "Save Options");
  }
  std::optional<std::string> ShowSaveDialog(const FileDialogOptions& options) override {
    dialogs.push_back(options);
    return Take(files, "save dialog");
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
  template <class T>
  static T Take(std::deque<T>& answers, const char* what) {
    if (answers.empty()) {
      ADD_FAILURE() << "unexpected " << what;
      return T{};
    }
    T answer = answers.front();
    answers.pop_front();
    return answer;
  }
};

}  // namespace vantrel::test
