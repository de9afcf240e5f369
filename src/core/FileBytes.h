// Reading a whole file into memory in one trip to the disk.
#pragma once

#include <string>

#include "core/BigPages.h"

namespace vantrel {

// Reads the file at path (bytes in the system code page) into bytes. On
// failure returns false and sets reason to a short sentence a user can act on.
bool ReadFileBytes(const std::string& path, Bytes& bytes, std::string& reason);

}  // namespace vantrel
