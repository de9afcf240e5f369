#include "core/TextEncoding.h"

namespace vantrel {

namespace {

bool StartsWith(std::string_view bytes, std::string_view prefix) {
  return bytes.substr(0, prefix.size()) == prefix;
}

// A character a hosts file would start with: printable ASCII, tab or a line end.
bool IsTextAscii(char c) { return c == '\t' || c == '\r' || c == '\n' || (c >= 0x20 && c <= 0x7E); }

}  // namespace

TextEncoding DetectEncoding(std::string_view bytes) {
  using namespace std::string_view_literals;
  // UTF-32 first: its little-endian mark begins with UTF-16's.
  if (StartsWith(bytes, "\xFF\xFE\0\0"sv)) return TextEncoding::Utf32LE;
  if (StartsWith(bytes, "\0\0\xFE\xFF"sv)) return TextEncoding::Utf32BE;
  if (StartsWith(bytes, "\xFF\xFE"sv)) return TextEncoding::Utf16LE;
  if (StartsWith(bytes, "\xFE\xFF"sv)) return TextEncoding::Utf16BE;
  if (StartsWith(bytes, kUtf8Bom)) return TextEncoding::Utf8Bom;
  if (bytes.size() >= 4) {
    if (IsTextAscii(bytes[0]) && bytes[1] == '\0' && IsTextAscii(bytes[2]) && bytes[3] == '\0') {
      return TextEncoding::Utf16LE;
    }
    if (bytes[0] == '\0' && IsTextAscii(bytes[1]) && bytes[2] == '\0' && IsTextAscii(bytes[3])) {
      return TextEncoding::Utf16BE;
    }
  }
  return TextEncoding::SingleByte;
}

std::string EncodingName(TextEncoding encoding) {
  switch (encoding) {
    case TextEncoding::SingleByte:
      return "ANSI";
    case TextEncoding::Utf8Bom:
      return "UTF-8";
    case TextEncoding::Utf16LE:
      return "UTF-16 LE";
    case TextEncoding::Utf16BE:
      return "UTF-16 BE";
    case TextEncoding::Utf32LE:
      return "UTF-32 LE";
    case TextEncoding::Utf32BE:
      return "UTF-32 BE";
  }
  return "unknown";
}

std::string RefusalReason(TextEncoding encoding) {
  return "The file is saved as " + EncodingName(encoding) +
         " (Unicode) text, which cannot be read as a Host File. Save it as ANSI or UTF-8 text "
         "and open it again.";
}

}  // namespace vantrel
