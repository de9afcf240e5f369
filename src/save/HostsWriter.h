// The hosts file as this program writes it: every entry as the chosen
// redirect address, one space and its host part; optionally the comment
// lines back at the positions they held when the file was loaded. ANSI text,
// CR LF after every line, nothing else (no header; a UTF-8 byte-order mark
// only when the file read had one).
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "core/HostsDocument.h"

namespace vantrel {

// What the Save Options dialog handed back: which address to write and
// whether the comments go back in. Option 0 means the user cancelled.
struct SaveChoice {
  int32_t option = 0;  // 1 "127.0.0.1", 2 "0", 3 an address or site typed by the user
  bool withComments = true;
};

// The text written in front of every entry, and the phrase naming it in the
// save dialog's title.
struct SaveTarget {
  std::string prefix;
  std::string phrase;
};

// option 1 or 2, or 3 with the text the user typed (lower-cased here; not
// trimmed, not checked). Any other option gives an empty target.
SaveTarget TargetForOption(int32_t option, const std::string& typed = {});

// "Save Host File " + phrase + " As...": every phrase starts with the same
// three words, so the title says them twice.
std::string SaveDialogTitle(const SaveTarget& target);

// The bytes of the whole output file. Empty elements of Entries are not
// written; every comment is, even one the positions no longer reach. A host
// part that holds a tab is set apart from its address by a tab, not a space:
// reading cuts at the first tab, so a space would lose what came before it.
// A line that holds a comma (an item that was read in quotes) is written in
// quotes again; bare, the comma would split it in two when read back.
std::string WriteHostsText(const HostsDocument& doc, const std::string& prefix, bool withComments);

// Takes the next piece of the output; false stops the writing.
using TextSink = std::function<bool(std::string_view piece)>;
inline constexpr size_t kWritePiece = size_t{1} << 20;

// The same bytes handed to sink in pieces of about kWritePiece bytes, so a
// million entries never need a second copy of the file in memory. False when
// the sink refused a piece.
bool WriteHostsText(const HostsDocument& doc, const std::string& prefix, bool withComments,
                    const TextSink& sink);

}  // namespace vantrel
