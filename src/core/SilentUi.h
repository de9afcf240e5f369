// A DocumentUi that shows nothing and answers Yes: the document's operations without a window,
// for the command line and the benchmarks.
#pragma once

#include <string>

#include "core/DocumentUi.h"

namespace vantrel {

class SilentUi : public DocumentUi {
 public:
  bool AskYesNo(const std::string&, const std::string&) override { return true; }
  void Tell(const std::string&, const std::string&, Icon) override {}
  std::string Input(const std::string&, const std::string&, const std::string&) override {
    return {};
  }
  void RunInWaitWindow(const std::function<void()>& job) override { job(); }
};

}  // namespace vantrel
