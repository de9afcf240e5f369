// The load job of the wait window: fills the entry list and the comment list
// from a document just read.
#pragma once

#include "core/DocumentUi.h"
#include "core/General_Mod.h"

namespace vantrel {

void LoadListsJob(HostsDocument& doc, DocumentUi& ui);

}  // namespace vantrel
