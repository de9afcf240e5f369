// Reading a hosts file into the document. The file is read from disk in one
// trip; then two passes walk its bytes in memory: the first counts the
// items, so that the document's arrays are sized once, the second fills them.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

#include "core/FileImage.h"
#include "core/HostsDocument.h"

namespace vantrel {

inline constexpr const char* kLabelIPNotLocalHost = "Host File currently not using LocalHost (0)";
inline constexpr const char* kLabelIPOther = "Host File currently using Other IP or Website: ";
inline constexpr const char* kLabelIPLocalHost = "Host File currently using LocalHost (127.0.0.1)";

struct ReadResult {
  ReadOutcome outcome = ReadOutcome::Unreadable;
  std::string labelIP;  // the LabelIP caption when loaded
  std::string reason;   // why the file could not be read
};

// How a read runs; the defaults are the program's.
struct ReadOptions {
  // Large files are read in chunks of about chunkBytes, on every core. The
  // chunks hold whole lines: no item runs past its line.
  size_t chunkBytes = size_t{1} << 20;
  // Called once the count shows a file worth loading, before the long part
  // of the work: the window turns the pointer busy.
  std::function<void()> loading;
  // Called after each stage with the stage's name: the phase benchmark times
  // the stages with it.
  std::function<void(const char* stage)> stageDone;
};

// Reads the file at path into doc. Loaded; Empty for a file of fewer than
// two items, which the program does not open (doc holds its item all the
// same); or Unreadable or TooLarge with a reason. A UTF-8 byte-order mark is
// set aside, not read as part of the first item; UTF-16 and UTF-32 text is
// refused with a reason naming the encoding. Throws std::bad_alloc when the
// file does not fit in memory, leaving doc part-read: read into a document
// of its own (AdoptLoaded).
ReadResult ReadHostsFile(const std::string& path, HostsDocument& doc,
                         const ReadOptions& options = {});
// The same on bytes already in memory, which are copied.
ReadResult ReadHostsText(std::string_view text, HostsDocument& doc,
                         const ReadOptions& options = {});

}  // namespace vantrel
