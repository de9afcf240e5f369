// The hosts file as this program writes it: every entry as the chosen address,
// one space and its host part; optionally the comments back at their loaded
// positions. CR LF after every line; a UTF-8 BOM only when the file read had one.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "core/HostsDocument.h"
#include "save/SafeWrite.h"

namespace vantrel {

// The Save Options dialog's option buttons, in their order.
enum class SaveOption : int32_t {
  None = 0,   // cancelled or closed: nothing chosen
  LocalHost,  // "127.0.0.1"
  Zero,       // "0"
  Typed,      // an address or site typed by the user
};

// What the Save Options dialog handed back.
struct SaveChoice {
  SaveOption option = SaveOption::None;
  bool withComments = true;
};

// The text written before every entry, and the save dialog's title.
struct SaveTarget {
  std::string prefix;
  std::string dialogTitle;
};

// LocalHost or Zero, or Typed with the text the user typed (lower-cased here;
// not trimmed, not checked). None gives an empty target.
SaveTarget TargetForOption(SaveOption option, const std::string& typed = {});

// The bytes of the whole output file. Empty entries are not written; every
// comment is, even one the positions no longer reach.
std::string WriteHostsText(const HostsDocument& doc, const std::string& prefix, bool withComments);

// Takes the next chunk of the output; false stops the writing.
using TextSink = std::function<bool(std::string_view chunk)>;

// The same bytes handed to sink in chunks of about kWriteChunk bytes, so the
// file is never held whole in memory. False when the sink refused a chunk.
bool WriteHostsText(const HostsDocument& doc, const std::string& prefix, bool withComments,
                    const TextSink& sink);

// The same bytes saved over path by SafeWriteFile.
FsStatus WriteHostsFile(FileSystem& fs, const std::string& path, const HostsDocument& doc,
                        const std::string& prefix, bool withComments);

}  // namespace vantrel
