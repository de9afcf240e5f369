#include "core/Find.h"

#include <algorithm>

namespace vantrel {
namespace {

char Upper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }
// The same letter, ASCII case aside.
bool SameLetter(char a, char b) { return Upper(a) == Upper(b); }

// Adds the box's text unless an item already equals it, case aside.
void Remember(FindState& find, const std::string& boxText) {
  for (const std::string& item : find.History) {
    if (std::equal(item.begin(), item.end(), boxText.begin(), boxText.end(), SameLetter)) return;
  }
  find.History.push_back(boxText);
}

}  // namespace

void FindKeyPress(HostsDocument& doc, FindState& find, std::string& boxText, FindKey key,
                  DocumentUi& ui) {
  if (key != FindKey::Enter) return;
  const std::string query = boxText;
  if (query.empty() || query.find(' ') != std::string::npos) {
    ui.Tell("Find", "Please do not include spaces while searching", Icon::None);
    boxText.clear();
    return;
  }
  if (doc.List1.Count() == 0) {
    ui.Tell("Find", "The list is Empty", Icon::None);
    find.History.push_back(boxText);
    boxText.clear();
    return;
  }
  for (int32_t p = std::max(find.FindPosition, 0); p < doc.List1.Count(); ++p) {
    const Text item = doc.List1.Item(p);
    if (std::search(item.begin(), item.end(), query.begin(), query.end(), SameLetter) ==
        item.end()) {
      continue;
    }
    // The one step that takes memory comes first, so that running out of it moves nothing.
    Remember(find, boxText);
    doc.List1.Select(p);
    find.FindPosition = p + 1;
    return;
  }
  ui.Tell("Query Not Found", "There are no more '" + query + "' entries found in the list",
          Icon::None);
  Remember(find, boxText);
  find.FindPosition = 0;
}

}  // namespace vantrel
