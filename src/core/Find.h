// Find: Enter in the search box selects the next entry of List1 that holds
// the typed text, searching down from where the last search stopped.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "core/DocumentUi.h"
#include "core/HostsDocument.h"

namespace vantrel {

// The box acts on Enter; every other key only types.
enum class FindKey { Enter, Other };

struct FindState {
  // Index of the List1 item at which the next search starts. Only Find moves
  // it: past a hit, or back to 0 at the end of the list.
  int32_t FindPosition = 0;
  // The box's drop-down list of queries already used, in the order added.
  std::vector<std::string> History;
};

// A key press in the search box: acts on Enter only. boxText is the box's
// text, which the handler may empty; new history items go to find.History.
void FindKeyPress(HostsDocument& doc, FindState& find, std::string& boxText, FindKey key,
                  DocumentUi& ui);

}  // namespace vantrel
