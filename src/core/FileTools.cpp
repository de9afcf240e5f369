#include "core/FileTools.h"

namespace vantrel {

std::string CountHostFileText(int32_t loadedEntryCount) {
  return std::to_string(loadedEntryCount) + " Host File Entries Found";
}

std::string NotepadCommandLine(const std::string& path) {
  if (path.find(' ') == std::string::npos) return "notepad.exe " + path;
  return "notepad.exe \"" + path + "\"";
}

}  // namespace vantrel
