// Replacing a file's content so that a failure leaves it as it was: the bytes
// go to a flushed new file beside it, which then takes its place. A file that
// cannot be replaced is written in place, its old bytes kept to be put back.
#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "save/FileSystem.h"

namespace vantrel {

inline constexpr size_t kWriteChunk = size_t{1} << 20;

// Ok, or the first failure: target as it was (unless targetChanged) and no
// file of ours left in its folder. A read-only target is refused.
FsStatus SafeWriteFile(FileSystem& fs, const std::string& target, std::string_view bytes,
                       size_t chunk = kWriteChunk);

// Writes the next chunk of the new content.
using ChunkWriter = std::function<FsStatus(std::string_view chunk)>;
// Produces the whole content through write, in order; the first failure.
using ContentSource = std::function<FsStatus(const ChunkWriter& write)>;

// The same for content made while it is written, never held whole in memory.
FsStatus SafeWriteFile(FileSystem& fs, const std::string& target, const ContentSource& source,
                       size_t chunk = kWriteChunk);

}  // namespace vantrel
