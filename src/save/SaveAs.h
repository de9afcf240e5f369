// Save As, the unsaved-changes prompt, Close and the ways out of the program.
#pragma once

#include "core/HostsDocument.h"
#include "save/FileSystem.h"
#include "save/SaveUi.h"

namespace vantrel {

enum class SaveOutcome {
  NothingLoaded,  // no document: told so
  NotAsked,       // nothing unsaved, so no question
  Declined,       // No to "Would you like to save changes?"
  Cancelled,      // a dialog or the address was cancelled; nothing written
  ProgramEnded,   // cancelled on the way out: EndProgram was called
  Saved,
  Failed,  // not written; the user was told why
};

// Asks for the address, the comments choice and the file, then writes the
// document there; ChangeCount becomes 0 only then. On the way out of the
// program (leaving), a cancelled dialog ends the program.
SaveOutcome SaveAs(HostsDocument& doc, SaveUi& ui, FileSystem& fs, bool leaving = false);

// With unsaved changes, asks whether to save them and runs SaveAs on Yes.
SaveOutcome PromptToSave(HostsDocument& doc, SaveUi& ui, FileSystem& fs, bool leaving = false);

// Close: prompt, then back to no document (HostsDocument::Close). False when
// the save the user asked for failed: the document then stays open.
bool CloseDocument(HostsDocument& doc, SaveUi& ui, FileSystem& fs);

// On the way out: prompts as leaving. False when the save the user
// asked for failed: the program then stays open.
bool PromptBeforeExit(HostsDocument& doc, SaveUi& ui, FileSystem& fs);

// Before Open: prompts, not leaving. False after a failed save.
bool PromptBeforeOpen(HostsDocument& doc, SaveUi& ui, FileSystem& fs);

// Exit: PromptBeforeExit, then EndProgram unless staying open or ended.
void ExitProgram(HostsDocument& doc, SaveUi& ui, FileSystem& fs);

}  // namespace vantrel
