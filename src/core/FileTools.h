// The two tools that refer to the hosts file as it was read rather than to
// the edited list: the count of its entries and Notepad on it.
#pragma once

#include <cstdint>
#include <string>

namespace vantrel {

// Text6 after "Count Unmodified Host File": "5 Host File Entries Found".
inline std::string CountHostFileText(int32_t loadedEntryCount) {
  return std::to_string(loadedEntryCount) + " Host File Entries Found";
}

// The command line that opens path in Notepad. A path holding a space is
// quoted, or Notepad would take only its first word as the file.
inline std::string NotepadCommandLine(const std::string& path) {
  if (path.find(' ') == std::string::npos) return "notepad.exe " + path;
  return "notepad.exe \"" + path + "\"";
}

}  // namespace vantrel
