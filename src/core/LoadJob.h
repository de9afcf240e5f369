// The load job of the wait window: fills the entry list and the comment list
// from a document just read.
#pragma once

#include "core/DocumentUi.h"
#include "core/General_Mod.h"

namespace vantrel {

void LoadListsJob(HostsDocument& doc, DocumentUi& ui);

// Open's last step: loaded, read into a document of its own and its lists
// filled, becomes doc: the file's texts, arrays, counters, lists and path.
// The undo copy of the previous document goes and ChangeCount becomes 0;
// ExitPending, LastAction and the undo texts stay. Takes no memory, so an
// Open that runs out of it before this point leaves doc as it was.
void AdoptLoaded(HostsDocument& doc, HostsDocument& loaded) noexcept;

}  // namespace vantrel
