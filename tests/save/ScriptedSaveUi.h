// FakeUi, also answering Save Options and the save dialog from a script and
// recording what they were opened with, Close and the reset.
#pragma once

#include <gtest/gtest.h>

#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "core/FakeUi.h"
#include "save/SaveUi.h"

namespace vantrel::test {

class ScriptedSaveUi : public FakeUiOf<SaveUi> {
 public:
  // Answers, used in order.
  std::deque<SaveChoice> options;
  std::deque<std::optional<std::string>> files;  // nullopt cancels

  // What happened.
  std::vector<SaveChoice> presets;
  std::vector<SaveDialogRequest> dialogs;
  int ended = 0;
  Elevation* elevation = nullptr;  // none: saving as administrator is not offered

  SaveChoice ShowSaveOptions(const SaveChoice& preset) override {
    presets.push_back(preset);
    return Take(options, "Save Options");
  }
  std::optional<std::string> ShowSaveDialog(const SaveDialogRequest& request) override {
    dialogs.push_back(request);
    return Take(files, "save dialog");
  }
  void EndProgram() override { ++ended; }
  Elevation* Elevator() override { return elevation; }

  bool AllAnswered() const {
    return FakeUiOf<SaveUi>::AllAnswered() && options.empty() && files.empty();
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
