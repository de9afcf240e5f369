// Opening a hosts file, for the window and the command line alike: read it into a document of
// its own, then fill its sorted list in the wait window.
#pragma once

#include <functional>
#include <string>

#include "core/DocumentUi.h"
#include "core/HostsDocument.h"
#include "core/HostsReader.h"

namespace vantrel {

// Reads path into loaded (a fresh document), then runs LoadListsJob in the wait window. An
// unreadable or empty file stops before anything is shown. loading runs once the file is known
// to be worth opening, before the long part of the read: the window shows it is busy from then.
ReadResult OpenHostsFile(const std::string& path, HostsDocument& loaded, DocumentUi& ui,
                         std::function<void()> loading = {});

// The load job: fills List1 from a document just read, with the marks of the
// sort for a later removal of duplicates.
void LoadListsJob(HostsDocument& doc, DocumentUi& ui);

// Open's last step: loaded becomes doc, with ChangeCount 0 and the undo disarmed; LastAction and
// the undo texts stay. Takes no memory, so an Open that runs out of it leaves doc as it was.
void AdoptLoaded(HostsDocument& doc, HostsDocument& loaded) noexcept;

}  // namespace vantrel
