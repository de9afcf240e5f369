#include "save/SaveAs.h"

#include <new>
#include <string>

#include "core/HostsGrammar.h"
#include "save/ElevatedSave.h"
#include "save/HostsWriter.h"

namespace vantrel {
namespace {

constexpr const char* kAddressPrompt =
    "Please Specify Website or IP that you wish to redirect websites";
constexpr const char* kAddressTitle = "Specify IP or Website";
constexpr const char* kAddressRefused =
    "The address cannot contain spaces, tabs, commas, double quotes or line breaks, and cannot "
    "begin with \"#\": the saved file would not read back as the entries you saved.\r\n\r\n"
    "Please type one IP address or website, such as 10.0.0.1.";

// Cancel in the options or in the file dialog: on the way out of the program
// it ends the program, otherwise the save just stops.
SaveOutcome CancelSave(SaveUi& ui, bool leaving) {
  if (!leaving) return SaveOutcome::Cancelled;
  ui.EndProgram();
  return SaveOutcome::ProgramEnded;
}

void TellSaveFailed(const HostsDocument& doc, SaveUi& ui, const FsStatus& status, bool leaving) {
  std::string text =
      "The Host File could not be saved to\r\n" + doc.HostsPath + "\r\n\r\n" + ReasonFor(status);
  if (!status.targetChanged) text += "\r\n\r\nThe file on disk was not changed.";
  if (leaving) text += " The program stays open so that your changes are not lost.";
  ui.Tell("Save Failed", text, Icon::Critical);
}

FsStatus WriteDocument(const HostsDocument& doc, FileSystem& fs, const SaveTarget& target,
                       bool withComments) {
  try {
    return WriteHostsFile(fs, doc.HostsPath, doc, target.prefix, withComments);
  } catch (const std::bad_alloc&) {
    return FsStatus::Fail(FsError::Other, "there is not enough memory.");
  }
}

// The address typed for SaveOption::Typed, asked again until it is one the
// saved file reads back; "" when the user gave none.
std::string AskForAddress(SaveUi& ui) {
  std::string typed = ui.Input(kAddressPrompt, kAddressTitle, "");
  while (!typed.empty() && !ReadsBackAsAddress(typed)) {
    ui.Tell(kAddressTitle, kAddressRefused, Icon::Exclamation);
    typed = ui.Input(kAddressPrompt, kAddressTitle, typed);
  }
  return typed;
}

}  // namespace

SaveOutcome SaveAs(HostsDocument& doc, SaveUi& ui, FileSystem& fs, bool leaving) {
  if (doc.LineCount == 0) {
    ui.Tell("Nothing Loaded to Save", "Please Load the List Before Saving", Icon::Information);
    return SaveOutcome::NothingLoaded;
  }
  // The dialog opens on "127.0.0.1" with comments on, whatever was chosen last.
  const SaveChoice choice = ui.ShowSaveOptions(SaveChoice{SaveOption::LocalHost, true});
  if (choice.option == SaveOption::None) return CancelSave(ui, leaving);

  const bool typing = choice.option == SaveOption::Typed;
  const std::string typed = typing ? AskForAddress(ui) : "";
  // No address: the save stops, even on the way out; the exit goes on.
  if (typing && typed.empty()) return SaveOutcome::Cancelled;
  const SaveTarget target = TargetForOption(choice.option, typed);

  FileDialogOptions dialog;
  dialog.title = target.dialogTitle;
  dialog.initialFolder = doc.HostsPath;
  const std::optional<std::string> path = ui.ShowSaveDialog(dialog);
  if (!path || path->empty()) return CancelSave(ui, leaving);
  doc.HostsPath = *path;

  const FsStatus status = WriteDocument(doc, fs, target, choice.withComments);
  if (!status.ok()) {
    TellSaveFailed(doc, ui, status, leaving);
    // Refused by the system, as the system's hosts file is: administrator
    // rights are one answer away.
    if (status.error != FsError::AccessDenied || status.targetChanged ||
        !OfferElevatedSave(doc, ui, fs, target.prefix, choice.withComments)) {
      return SaveOutcome::Failed;
    }
  }
  doc.ChangeCount = 0;
  return SaveOutcome::Saved;
}

SaveOutcome PromptToSave(HostsDocument& doc, SaveUi& ui, FileSystem& fs, bool leaving) {
  if (doc.ChangeCount <= 0) return SaveOutcome::NotAsked;
  if (!ui.AskYesNo("Save Changes", "Would you like to save changes?")) return SaveOutcome::Declined;
  return SaveAs(doc, ui, fs, leaving);
}

bool CloseDocument(HostsDocument& doc, SaveUi& ui, FileSystem& fs) {
  if (PromptToSave(doc, ui, fs) == SaveOutcome::Failed) return false;
  doc.Close();
  return true;
}

bool PromptBeforeOpen(HostsDocument& doc, SaveUi& ui, FileSystem& fs) {
  return PromptToSave(doc, ui, fs) != SaveOutcome::Failed;
}

bool PromptBeforeExit(HostsDocument& doc, SaveUi& ui, FileSystem& fs) {
  return PromptToSave(doc, ui, fs, true) != SaveOutcome::Failed;
}

void ExitProgram(HostsDocument& doc, SaveUi& ui, FileSystem& fs) {
  const SaveOutcome outcome = PromptToSave(doc, ui, fs, true);
  if (outcome == SaveOutcome::Failed || outcome == SaveOutcome::ProgramEnded) return;
  ui.EndProgram();
}

}  // namespace vantrel
