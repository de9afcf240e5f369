#include "core/HostsReader.h"

#include <cstdint>
#include <cstring>
#include <limits>

#include "core/FileBytes.h"
#include "core/HostsGrammar.h"
#include "core/TextEncoding.h"

namespace vantrel {

bool HostsReader::Open(const std::string& path, std::string& reason) {
  if (!ReadFileBytes(path, text_, reason)) return false;
  // Every item takes at least one byte, so this bounds every 32-bit counter.
  if (text_.size() > static_cast<size_t>(std::numeric_limits<int32_t>::max())) {
    text_.clear();
    reason = "The file is too large.";
    return false;
  }
  return CheckEncoding(reason);
}

bool HostsReader::SetText(std::string_view text, std::string& reason) {
  text_.assign(text.data(), text.size());
  return CheckEncoding(reason);
}

bool HostsReader::CheckEncoding(std::string& reason) {
  const TextEncoding encoding = DetectEncoding(std::string_view(text_.data(), text_.size()));
  utf8Bom_ = encoding == TextEncoding::Utf8Bom;
  if (!CanRead(encoding)) {
    text_.clear();
    reason = RefusalReason(encoding);
    return false;
  }
  if (utf8Bom_) text_.erase(0, kUtf8Bom.size());
  return true;
}

void HostsReader::CountingPass(HostsDocument& doc) const {
  doc.LineCount = 0;
  doc.EntryCount = 0;
  doc.CommentCount = 0;
  ItemReader reader(text_);
  while (!reader.AtEnd()) {
    ++doc.LineCount;
    switch (Classify(reader.Next())) {
      case ItemKind::Comment:
        ++doc.CommentCount;
        break;
      case ItemKind::Entry:
        ++doc.EntryCount;
        break;
      case ItemKind::Blank:
        break;
    }
  }
  doc.LoadedEntryCount = doc.EntryCount;
}

void HostsReader::Allocate(HostsDocument& doc) {
  adopted_ = &doc.Texts.AdoptFile(std::move(text_));
  text_.clear();
  doc.Utf8Bom = utf8Bom_;
  doc.EntriesBeforeDedup.Clear();
  doc.Entries.Reallocate(doc.EntryCount);
  doc.Comments.Reallocate(doc.CommentCount);
  doc.CommentPositions.Reallocate(doc.CommentCount);
}

void HostsReader::LoadPass(HostsDocument& doc) const {
  if (!adopted_) return;
  Bytes& bytes = *adopted_;
  int32_t c = 0;  // comments stored
  int32_t j = 0;  // entries stored
  int32_t b = 0;  // blank items met
  ItemReader reader(bytes);
  for (int32_t k = 1; k <= doc.LineCount && !reader.AtEnd(); ++k) {
    const std::string_view item = reader.Next();
    switch (Classify(item)) {
      case ItemKind::Comment:
        ++c;
        doc.Comments(c) = item;
        doc.CommentPositions(c) = k - b;
        break;
      case ItemKind::Entry: {
        ++j;
        const std::string_view entry = TrimSpaces(item);
        if (!entry.empty()) LowerAscii(bytes.data() + (entry.data() - bytes.data()), entry.size());
        doc.Entries(j) = entry;
        break;
      }
      case ItemKind::Blank:
        ++b;
        break;
    }
  }
}

std::string HostsReader::RedirectAddressCaption(const HostsDocument& doc) {
  if (doc.EntryCount < 1) return {};
  const Text last = doc.Entries(doc.EntryCount);
  if (!last.empty() && last.front() == '0') return kLabelIPNotLocalHost;
  if (last.find("127.0.0.1") == Text::npos) {
    const size_t space = last.find(' ');
    std::string_view address;
    if (space != Text::npos) address = TrimSpaces(last.substr(0, space));
    return std::string(kLabelIPOther).append(address);
  }
  return kLabelIPLocalHost;
}

namespace {

// Moves the entries and comments, which lie in the file's bytes in file
// order, to the start of the bytes one after the other, and releases what
// is left: for a block list about a third of the file, which is memory that
// every later job can use.
void PackTexts(HostsDocument& doc) {
  Bytes* bytes = doc.Texts.LastFile();
  if (!bytes || bytes->empty()) return;
  const char* begin = bytes->data();
  const char* end = begin + bytes->size();
  auto inFile = [&](Text t) {
    return !t.empty() && t.data() >= begin && t.data() + t.size() <= end;
  };
  char* out = bytes->data();
  auto move = [&](Text& t) {
    std::memmove(out, t.data(), t.size());
    t = Text(out, t.size());
    out += t.size();
  };
  auto& entries = doc.Entries.Items();
  auto& comments = doc.Comments.Items();
  for (const Text t : entries) {
    if (!t.empty() && !inFile(t)) return;  // not all from this file: leave them
  }
  for (const Text t : comments) {
    if (!t.empty() && !inFile(t)) return;
  }
  size_t e = 0;
  size_t c = 0;
  // Both lists are in file order: merge them by place, so that every text
  // moves towards the start and never over one not yet moved.
  while (e < entries.size() || c < comments.size()) {
    if (e < entries.size() && entries[e].empty()) {
      entries[e++] = Text{};
    } else if (c < comments.size() && comments[c].empty()) {
      comments[c++] = Text{};
    } else if (c == comments.size() ||
               (e < entries.size() && entries[e].data() < comments[c].data())) {
      move(entries[e++]);
    } else {
      move(comments[c++]);
    }
  }
  const size_t used = static_cast<size_t>(out - bytes->data());
  const size_t allocated = bytes->capacity() + 1;
  bytes->resize(used);
  ShrinkBig(bytes->data(), allocated, used + 1);
}

}  // namespace

void HostsReader::HostParts(HostsDocument& doc) {
  for (Text& entry : doc.Entries) entry = HostPart(entry);
  PackTexts(doc);
}

namespace {

ReadResult RunStages(HostsReader& reader, HostsDocument& doc) {
  ReadResult result;
  reader.CountingPass(doc);
  if (IsEmptyHostsFile(doc)) {
    result.outcome = ReadOutcome::Empty;
    return result;
  }
  reader.Allocate(doc);
  reader.LoadPass(doc);
  result.labelIP = HostsReader::RedirectAddressCaption(doc);
  HostsReader::HostParts(doc);
  result.outcome = ReadOutcome::Loaded;
  return result;
}

}  // namespace

ReadResult ReadHostsText(std::string_view text, HostsDocument& doc) {
  HostsReader reader;
  ReadResult result;
  if (!reader.SetText(text, result.reason)) return result;
  return RunStages(reader, doc);
}

ReadResult ReadHostsFile(const std::string& path, HostsDocument& doc) {
  HostsReader reader;
  ReadResult result;
  if (!reader.Open(path, result.reason)) return result;
  return RunStages(reader, doc);
}

}  // namespace vantrel
