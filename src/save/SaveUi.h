// What saving, closing and leaving show and ask besides the document's
// questions: real dialogs, or a test's script.
#pragma once

#include <optional>
#include <string>

#include "core/DocumentUi.h"
#include "platform/FileDialogOptions.h"
#include "save/HostsWriter.h"

namespace vantrel {

class Elevation;

class SaveUi : public DocumentUi {
 public:
  // frmSaveOptions, modal over the main window, opened on preset; option 0 when cancelled or
  // closed.
  virtual SaveChoice ShowSaveOptions(const SaveChoice& preset) = 0;
  // The save dialog, which asks before replacing a file; the chosen full path, or nothing when
  // cancelled or failed.
  virtual std::optional<std::string> ShowSaveDialog(const FileDialogOptions& options) = 0;
  // Ends the program at once: no further question, no closing handler.
  virtual void EndProgram() = 0;
  // Starting this program as administrator, to save where the system
  // refused; none, and so no offer, unless a window gives one.
  virtual Elevation* Elevator() { return nullptr; }
};

}  // namespace vantrel
