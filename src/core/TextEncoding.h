// What the first bytes of a file say about its encoding. The program reads
// and writes single-byte text; a UTF-8 byte-order mark is set aside and put
// back on save, and UTF-16 or UTF-32 text is refused rather than read as
// bytes, which would turn every entry into garbage.
#pragma once

#include <string>
#include <string_view>

namespace vantrel {

inline constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

enum class TextEncoding { SingleByte, Utf8Bom, Utf16LE, Utf16BE, Utf32LE, Utf32BE };

// From the byte-order mark; without one, text that starts with two ASCII
// characters each followed (or preceded) by a NUL byte is taken for UTF-16.
TextEncoding DetectEncoding(std::string_view bytes);

// Why a file in that encoding is not read, naming the encoding.
std::string RefusalReason(TextEncoding encoding);

}  // namespace vantrel
