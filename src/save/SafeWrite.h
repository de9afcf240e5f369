// Replacing a file's content so that a failure at any point leaves the file
// exactly as it was: the bytes go to a new file in the same folder, every one
// of them is accounted for and flushed to the disk, and only then does the
// new file take the old one's place. A file already there that is read-only
// is refused. Where the folder takes no new file, or the file may be written
// but not replaced, it is written in place instead, with its old bytes kept
// in memory and put back if anything fails.
#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "save/FileSystem.h"

namespace vantrel {

inline constexpr size_t kWriteChunk = size_t{1} << 20;

// Ok, or the first failure; on failure the file at target is as it was
// (unless targetChanged says that even putting it back failed) and no file of
// ours is left in its folder.
FsStatus SafeWriteFile(FileSystem& fs, const std::string& target, std::string_view bytes,
                       size_t chunk = kWriteChunk);

// Writes the next chunk of the new content.
using ChunkWriter = std::function<FsStatus(std::string_view chunk)>;
// Produces the whole new content through write, chunk by chunk, in order;
// returns the first failure of write, or its own.
using ContentSource = std::function<FsStatus(const ChunkWriter& write)>;

// The same for content made while it is written, so that it never has to be
// held whole in memory.
FsStatus SafeWriteFile(FileSystem& fs, const std::string& target, const ContentSource& source,
                       size_t chunk = kWriteChunk);

}  // namespace vantrel
