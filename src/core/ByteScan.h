// The byte searches that reading and writing a large file spend most of
// their time in, sixteen bytes at a time where the processor has SSE2.
#pragma once

#include <cstddef>
#include <span>
#include <string_view>

namespace vantrel {

// Index of the first byte at or after pos that is a, b or c; text.size()
// when there is none. Repeat a byte to look for fewer.
size_t FindByte(std::string_view text, size_t pos, char a, char b, char c);

// Sets ASCII letters from 'A' to 'Z' to lower case, in place; other bytes
// stay as they are. Takes a std::string as well as bytes inside a file.
void LowerAscii(std::span<char> text);

}  // namespace vantrel
