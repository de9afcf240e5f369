// Save As, the unsaved-changes prompt, Close and the ways out of the program.
#pragma once

#include <cstdint>

#include "core/HostsDocument.h"
#include "save/FileSystem.h"
#include "save/SaveUi.h"

namespace vantrel {

inline constexpr uint32_t kSaveAsDialogFlags = 2621446;  // overwrite prompt, hide read-only,
                                                         // explorer style, long names

enum class SaveOutcome {
  NothingLoaded,  // no document: told so
  NotAsked,       // nothing unsaved, so no question
  Declined,       // No to "Would you like to save changes?"
  Cancelled,      // a dialog or the address was cancelled; nothing written
  ProgramEnded,   // cancelled on the way out: EndProgram was called
  Saved,
  Failed,  // the file could not be written; the user was told why and what became of it
};

// Asks for the address, the comments choice and the file, then writes the
// document there. ChangeCount becomes 0 only when the file was written.
SaveOutcome SaveAs(HostsDocument& doc, SaveUi& ui, FileSystem& fs);

// With unsaved changes, asks whether to save them and runs SaveAs on Yes.
SaveOutcome PromptToSave(HostsDocument& doc, SaveUi& ui, FileSystem& fs);

// The document's part of the no-document state; the window's part is
// SaveUi::ResetToNoDocument. The arrays stay until the next load.
void ClearToNoDocument(HostsDocument& doc);

// Close: prompt, then back to no document. When the user asked to save and
// the save failed, the document stays open, so the changes are not lost;
// returns false then.
bool CloseDocument(HostsDocument& doc, SaveUi& ui, FileSystem& fs);

// On the way out (Exit, or the main window being closed): prompts with
// ExitPending 1. True when the program is to end; false when the user asked
// to save and the save failed: the program then stays open with the document.
bool PromptBeforeExit(HostsDocument& doc, SaveUi& ui, FileSystem& fs);

// Before Open: prompts with ExitPending 0. True when Open is to go on: always,
// except after a failed save, when the changed document stays.
bool PromptBeforeOpen(HostsDocument& doc, SaveUi& ui, FileSystem& fs);

// Exit: PromptBeforeExit, then EndProgram unless the program is to stay open
// (or has already ended).
void ExitProgram(HostsDocument& doc, SaveUi& ui, FileSystem& fs);

}  // namespace vantrel
