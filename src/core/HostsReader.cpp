#include "core/HostsReader.h"

#include <cstdint>

#include "core/FileImage.h"
#include "core/HostsGrammar.h"
#include "core/Parallel.h"
#include "core/SilentUi.h"
#include "core/TextEncoding.h"

namespace vantrel {

ReadOutcome HostsReader::Open(const std::string& path, std::string& reason) {
  const ReadOutcome outcome = text_.Load(path, reason);
  if (outcome != ReadOutcome::Loaded) return outcome;
  return CheckEncoding(reason) ? ReadOutcome::Loaded : ReadOutcome::Unreadable;
}

bool HostsReader::SetText(std::string_view text, std::string& reason) {
  text_.Assign(text);
  return CheckEncoding(reason);
}

bool HostsReader::CheckEncoding(std::string& reason) {
  const TextEncoding encoding = DetectEncoding(text_.Text());
  utf8Bom_ = encoding == TextEncoding::Utf8Bom;
  if (encoding != TextEncoding::SingleByte && !utf8Bom_) {
    text_.Clear();
    reason = RefusalReason(encoding);
    return false;
  }
  if (utf8Bom_) text_.SetAsideFront(kUtf8Bom.size());
  return true;
}

namespace {

// The index just past the line end at or after pos.
size_t AfterLineEnd(std::string_view text, size_t pos) {
  pos = FindByte(text, pos, '\r', '\n', '\n');
  if (pos == text.size()) return pos;
  if (text[pos] == '\r' && pos + 1 < text.size() && text[pos + 1] == '\n') ++pos;
  return pos + 1;
}

}  // namespace

void HostsReader::CountingPass(HostsDocument& doc) {
  const std::string_view text = text_.Text();
  chunks_.clear();
  for (size_t begin = 0; begin < text.size();) {
    const size_t end = text.size() - begin <= chunkBytes_
                           ? text.size()
                           : AfterLineEnd(text, begin + chunkBytes_ - 1);
    chunks_.push_back({text.substr(begin, end - begin)});
    begin = end;
  }
  // Starting a thread costs more than reading a small file.
  constexpr size_t kWorthThreads = size_t{4} << 20;
  threads_ = text.size() < kWorthThreads ? 1 : Cores();
  RunTasks(chunks_.size(), threads_, [&](size_t i, unsigned) {
    Chunk& chunk = chunks_[i];
    ItemReader reader(chunk.text);
    while (!reader.AtEnd()) {
      ++chunk.items;
      const ItemKind kind = Classify(reader.Next());
      chunk.comments += kind == ItemKind::Comment;
      chunk.entries += kind == ItemKind::Entry;
    }
  });
  // The counts are 32-bit: a file short of 2 GiB has fewer items.
  Chunk total;
  for (Chunk& chunk : chunks_) {
    chunk.itemsBefore = total.items;
    chunk.entriesBefore = total.entries;
    chunk.commentsBefore = total.comments;
    total.items += chunk.items;
    total.entries += chunk.entries;
    total.comments += chunk.comments;
  }
  doc.LineCount = total.items;
  doc.LoadedEntryCount = entryCount_ = total.entries;
  commentCount_ = total.comments;
}

void HostsReader::Allocate(HostsDocument& doc) {
  adopted_ = &doc.Texts.AdoptFile(std::move(text_));
  text_.Clear();
  doc.Utf8Bom = utf8Bom_;
  doc.EntriesBeforeDedup = {};
  // The arrays keep their places when they move into the document, so the
  // load pass fills them there.
  TextArray entries(static_cast<size_t>(entryCount_));
  entries_ = entries.data();
  doc.SetEntries(std::move(entries));
  doc.Comments.assign(static_cast<size_t>(commentCount_), Text{});
  doc.CommentPositions.assign(static_cast<size_t>(commentCount_), 0);
}

// Comments go in as read; each chunk fills its own stretch of the arrays.
void HostsReader::LoadPass(HostsDocument& doc) {
  if (!adopted_) return;
  RunTasks(chunks_.size(), threads_, [&](size_t i, unsigned) { LoadChunk(chunks_[i], doc); });
  loaded_ = true;
}

void HostsReader::LoadChunk(const Chunk& chunk, HostsDocument& doc) {
  const std::string_view text = adopted_->Text();
  char* const bytes = adopted_->Data();
  Text* entry = entries_ + chunk.entriesBefore;
  Text* comment = doc.Comments.data() + chunk.commentsBefore;
  int32_t* position = doc.CommentPositions.data() + chunk.commentsBefore;
  int32_t k = chunk.itemsBefore;
  int32_t blanks = chunk.itemsBefore - chunk.entriesBefore - chunk.commentsBefore;
  int32_t entriesLeft = entryCount_ - chunk.entriesBefore;
  ItemReader reader(chunk.text);
  while (!reader.AtEnd()) {
    ++k;
    const std::string_view item = reader.Next();
    switch (Classify(item)) {
      case ItemKind::Comment:
        *comment++ = item;
        *position++ = k - blanks;
        break;
      case ItemKind::Entry: {
        const std::string_view trimmed = TrimSpaces(item);
        const Text kept = --entriesLeft == 0 ? trimmed : HostPart(trimmed);
        if (!kept.empty()) LowerAscii(bytes + (kept.data() - text.data()), kept.size());
        *entry++ = kept;
        break;
      }
      case ItemKind::Blank:
        ++blanks;
        break;
    }
  }
}

std::string HostsReader::RedirectAddressCaption(const HostsDocument& doc) {
  const EntriesView entries = doc.Entries();
  if (entries.Empty()) return {};
  const Text last = entries[static_cast<size_t>(entries.Count() - 1)];
  if (!last.empty() && last.front() == '0') return kLabelIPNotLocalHost;
  if (last.find("127.0.0.1") == Text::npos) {
    const size_t space = last.find(' ');
    std::string_view address;
    if (space != Text::npos) address = TrimSpaces(last.substr(0, space));
    return std::string(kLabelIPOther).append(address);
  }
  return kLabelIPLocalHost;
}

void HostsReader::HostParts() {
  // Only the last entry is left whole by LoadPass.
  if (!loaded_ || entryCount_ == 0) return;
  loaded_ = false;
  Text& last = entries_[entryCount_ - 1];
  last = HostPart(last);
}

ReadResult ReadStages(HostsReader& reader, HostsDocument& doc, DocumentUi& /*ui*/) {
  ReadResult result;
  reader.CountingPass(doc);
  // A file of fewer than two items holds nothing to load.
  if (doc.LineCount < 2) {
    result.outcome = ReadOutcome::Empty;
    return result;
  }
  reader.Allocate(doc);
  reader.LoadPass(doc);
  result.labelIP = HostsReader::RedirectAddressCaption(doc);
  reader.HostParts();
  result.outcome = ReadOutcome::Loaded;
  return result;
}

ReadResult ReadHostsText(std::string_view text, HostsDocument& doc) {
  HostsReader reader;
  ReadResult result;
  SilentUi ui;
  return reader.SetText(text, result.reason) ? ReadStages(reader, doc, ui) : result;
}

ReadResult ReadHostsFile(const std::string& path, HostsDocument& doc) {
  HostsReader reader;
  ReadResult result;
  SilentUi ui;
  result.outcome = reader.Open(path, result.reason);
  return result.outcome == ReadOutcome::Loaded ? ReadStages(reader, doc, ui) : result;
}

}  // namespace vantrel
