// A DocumentUi (or an interface extending it) for tests: answers questions
// from queues, keeps the state that the main window would show, and records
// every call in order.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "core/DocumentUi.h"

namespace vantrel::test {

template <class Base>
class FakeUiOf : public Base {
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
  // Every queued answer used and no question left without one.
  bool AllAnswered() const { return !unanswered_ && yesNo_.empty() && inputs_.empty(); }

  // --- what was shown and asked
  std::vector<std::string> Calls;  // "Name(args)" of every call, in order
  std::vector<Message> Questions;  // AskYesNo, icon Question
  std::vector<Message> Told;       // Tell
  std::vector<InputAsked> Inputs;

  // --- the main window's state as the calls left it
  std::string UndoCaption = "&Undo";
  bool UndoEnabled = false;
  std::string Text1, Text2, Text3;
  bool EntryListEnabled = false;
  bool Busy = false;
  int EntriesChangedCount = 0;
  int WaitWindowShown = 0;
  std::string JobCaption = " ";
  int32_t ProgressMin = 0;
  int32_t ProgressMax = 100;
  std::vector<int32_t> ProgressValues;
  int TimingStarted = 0;
  int TimeControlled = 0;

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
  void SetUndo(const std::string& caption, bool enabled) override {
    Calls.push_back("SetUndo(" + caption + ", " + (enabled ? "1" : "0") + ")");
    UndoCaption = caption;
    UndoEnabled = enabled;
  }
  void SetCounts(const std::string& before, const std::string& removed,
                 const std::string& left) override {
    Calls.push_back("SetCounts(" + before + ", " + removed + ", " + left + ")");
    Text1 = before;
    Text2 = removed;
    Text3 = left;
  }
  void EnableEntryList() override {
    Calls.push_back("EnableEntryList()");
    EntryListEnabled = true;
  }
  void EntriesChanged() override {
    Calls.push_back("EntriesChanged()");
    ++EntriesChangedCount;
  }
  void SetBusy(bool busy) override {
    Calls.push_back(std::string("SetBusy(") + (busy ? "1" : "0") + ")");
    Busy = busy;
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
  void SetProgressMax(int32_t maximum) override {
    Calls.push_back("SetProgressMax(" + std::to_string(maximum) + ")");
    ProgressMax = maximum;
  }
  void SetProgress(int32_t value) override {
    Calls.push_back("SetProgress(" + std::to_string(value) + ")");
    ProgressValues.push_back(value);
  }
  void StartTiming() override {
    Calls.push_back("StartTiming()");
    ++TimingStarted;
  }
  void TimeControl() override {
    Calls.push_back("TimeControl()");
    ++TimeControlled;
  }

 private:
  std::deque<bool> yesNo_;
  std::deque<std::string> inputs_;
  bool unanswered_ = false;
};

using FakeUi = FakeUiOf<DocumentUi>;

}  // namespace vantrel::test
