// The bytes of the files read and copies of typed texts. Entries and comments are views into
// them that stay valid when the store moves: one buffer and a million views, not a million strings.
#pragma once

#include <deque>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "core/FileImage.h"
#include "core/LargeMemory.h"

namespace vantrel {

using Text = std::string_view;
// Arrays of texts as long as the file: entries, the sorted list.
using TextArray = LargeVector<Text>;

class TextStore {
 public:
  // Takes a file's bytes; views into them stay valid until ReleaseOlder
  // drops them. They never move.
  FileImage& AdoptFile(FileImage bytes) {
    files_.push_back(std::make_unique<FileImage>(std::move(bytes)));
    return *files_.back();
  }

  // The bytes of the file last adopted, or null.
  const FileImage* LastFile() const { return files_.empty() ? nullptr : files_.back().get(); }

  // Keeps a copy of text and returns a view of the copy.
  Text Keep(std::string_view text) {
    if (text.empty()) return {};
    kept_.emplace_back(text);
    return kept_.back();
  }

  // Drops every text except those of the file last adopted. Call it only once
  // nothing refers to the older texts.
  void ReleaseOlder() {
    if (files_.size() > 1) files_.erase(files_.begin(), files_.end() - 1);
    kept_.clear();
  }

 private:
  std::vector<std::unique_ptr<FileImage>> files_;
  std::deque<std::string> kept_;
};

}  // namespace vantrel
