// Answers Save As, the prompt and Close from a script and records what they
// showed and asked.
#pragma once

#include <gtest/gtest.h>

#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "save/SaveUi.h"

namespace vantrel::test {

class ScriptedSaveUi : public SaveUi {
 public:
  struct Told {
    std::string caption, text;
    Icon icon;
  };

  // Answers, used in order.
  std::deque<bool> yesNo;
  std::deque<SaveChoice> options;
  std::deque<std::string> inputs;
  std::deque<std::optional<std::string>> files;  // nullopt cancels

  // What happened.
  std::vector<Told> told;
  std::vector<std::string> asked;  // captions + texts of Yes/No questions
  std::vector<std::string> prompts;
  std::vector<SaveChoice> presets;
  std::vector<SaveDialogRequest> dialogs;
  int ended = 0;
  int resets = 0;

  void Tell(const std::string& caption, const std::string& text, Icon icon) override {
    told.push_back({caption, text, icon});
  }
  bool AskYesNo(const std::string& caption, const std::string& text) override {
    asked.push_back(caption + "|" + text);
    return Take(yesNo, "Yes/No question");
  }
  std::string Input(const std::string& prompt, const std::string& title,
                    const std::string& initial) override {
    prompts.push_back(prompt + "|" + title + "|" + initial);
    return Take(inputs, "input box");
  }
  SaveChoice ShowSaveOptions(const SaveChoice& preset) override {
    presets.push_back(preset);
    return Take(options, "Save Options");
  }
  std::optional<std::string> ShowSaveDialog(const SaveDialogRequest& request) override {
    dialogs.push_back(request);
    return Take(files, "save dialog");
  }
  void RunInWaitWindow(const std::function<void()>& job) override { job(); }
  void EndProgram() override { ++ended; }
  void ResetToNoDocument() override { ++resets; }

  bool AllAnswered() const {
    return yesNo.empty() && options.empty() && inputs.empty() && files.empty();
  }

 private:
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
