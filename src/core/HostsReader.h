// Reading a hosts file into the document in five stages. The file is read
// from disk once; both passes walk the same bytes in memory.
#pragma once

#include <algorithm>
#include <string>
#include <string_view>
#include <vector>

#include "core/DocumentUi.h"
#include "core/FileImage.h"
#include "core/HostsDocument.h"

namespace vantrel {

inline constexpr const char* kLabelIPNotLocalHost = "Host File currently not using LocalHost (0)";
inline constexpr const char* kLabelIPOther = "Host File currently using Other IP or Website: ";
inline constexpr const char* kLabelIPLocalHost = "Host File currently using LocalHost (127.0.0.1)";

class HostsReader {
 public:
  // Large files are read in chunks of about chunkBytes, on every core. The
  // chunks hold whole lines: no item runs past its line.
  explicit HostsReader(size_t chunkBytes = size_t{1} << 20)
      : chunkBytes_(std::max<size_t>(chunkBytes, 1)) {}

  // Reads the file's bytes: Loaded, or Unreadable or TooLarge with a reason
  // (FileImage::Load); throws std::bad_alloc when they do not fit in memory.
  ReadOutcome Open(const std::string& path, std::string& reason);
  // Uses text as the file's bytes. Like Open, refuses UTF-16 and UTF-32 text
  // (false, with a reason naming the encoding) and sets a UTF-8 byte-order
  // mark aside: it is not part of the first item.
  bool SetText(std::string_view text, std::string& reason);

  // Stage 1: LineCount and LoadedEntryCount, and the counts of the arrays.
  void CountingPass(HostsDocument& doc);
  // Stage 2: sizes Entries, Comments and CommentPositions once. The document
  // takes the file's bytes; the previous file's texts stay alive until the
  // lists showing them have been refilled (TextStore::ReleaseOlder).
  void Allocate(HostsDocument& doc);
  // Stage 3: fills them. Entries are lower-cased in place and cut to their
  // host parts, all but the last, which stage 4 reads whole.
  void LoadPass(HostsDocument& doc);
  // Stage 4: the caption naming the redirect address, from the last entry.
  static std::string RedirectAddressCaption(const HostsDocument& doc);
  // Stage 5: the last entry cut to its host part too.
  void HostParts();

 private:
  // Whole lines of the file, with what they hold and what the lines before
  // them hold.
  struct Chunk {
    std::string_view text;
    int32_t items = 0, entries = 0, comments = 0;
    int32_t itemsBefore = 0, entriesBefore = 0, commentsBefore = 0;
  };

  bool CheckEncoding(std::string& reason);
  void LoadChunk(const Chunk& chunk, HostsDocument& doc);

  size_t chunkBytes_;
  unsigned threads_ = 1;
  std::vector<Chunk> chunks_;

  FileImage text_;
  bool utf8Bom_ = false;
  int32_t entryCount_ = 0;  // the counting pass's counts
  int32_t commentCount_ = 0;
  FileImage* adopted_ = nullptr;  // the bytes once the document holds them
  Text* entries_ = nullptr;       // the entries' array in the document
  bool loaded_ = false;           // LoadPass ran; HostParts has not
};

struct ReadResult {
  ReadOutcome outcome = ReadOutcome::Unreadable;
  std::string labelIP;  // the LabelIP caption when loaded
  std::string reason;   // why the file could not be read
};

// All five stages, stopping after the count for an empty file; the pointer
// turns busy once there is something to load. Running out of memory leaves
// doc part-read: read into a document of its own (AdoptLoaded).
ReadResult ReadStages(HostsReader& reader, HostsDocument& doc, DocumentUi& ui);
// Opens the file and runs the stages, showing nothing.
ReadResult ReadHostsFile(const std::string& path, HostsDocument& doc);
// The same on bytes already in memory.
ReadResult ReadHostsText(std::string_view text, HostsDocument& doc);

}  // namespace vantrel
