// The fixed contents of the Help window: the items of its topic list and
// the text of each topic, stored at the topic's index in the list.
#pragma once

#include <array>
#include <string>

namespace vantrel {

inline constexpr int kHelpItemCount = 20;
inline constexpr int kHelpTextCount = 51;  // indices 0 to 50

// The list items in order: headings, separators, blank items and topics.
const std::array<std::string, kHelpItemCount>& HelpItems();

// True for an item that has no text of its own (heading, separator, blank).
bool IsHelpHeading(const std::string& item);

// The text of the topic at `index` of the list; "" for every other index.
std::string HelpTopicText(int index);

}  // namespace vantrel
