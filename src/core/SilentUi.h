// A DocumentUi that shows nothing and answers every question with Yes: the
// document's operations run without a window, for the command line and the
// benchmarks. What a job tells (a "No Host Listings Found" message) is kept
// for the caller to read.
#pragma once

#include <string>

#include "core/DocumentUi.h"

namespace vantrel {

class SilentUi : public DocumentUi {
 public:
  std::string LastTold;  // the text of the last message, if any

  bool AskYesNo(const std::string&, const std::string&) override { return true; }
  void Tell(const std::string&, const std::string& text, Icon) override { LastTold = text; }
  std::string Input(const std::string&, const std::string&, const std::string&) override {
    return {};
  }
  void SetUndo(const std::string&, bool) override {}
  void SetCounts(const std::string&, const std::string&, const std::string&) override {}
  void EnableEntryList() override {}
  void EntriesChanged() override {}
  void SetBusy(bool) override {}
  void RunInWaitWindow(const std::function<void()>& job) override { job(); }
  void SetJobCaption(const std::string&) override {}
  void SetProgressRange(int32_t, int32_t) override {}
  void SetProgressMax(int32_t) override {}
  void SetProgress(int32_t) override {}
  void StartTiming() override {}
  void TimeControl() override {}
};

}  // namespace vantrel
