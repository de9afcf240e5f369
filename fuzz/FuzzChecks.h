// What must hold for any bytes at all, however mangled the file: checked by
// the fuzzers on every input they make up, and by an ordinary test on the
// seed corpus. Each check returns "" or a description of what went wrong.
#pragma once

#include <string>
#include <string_view>

namespace vantrel::fuzz {

// Reads bytes as Open does, then checks the document: counters in step with
// the arrays, comments at rising positions, entries in their normalised form.
std::string CheckRead(std::string_view bytes);

// Reads bytes, writes the document with each address and with and without
// comments, reads each output again and checks that every non-empty entry
// and every comment that was written came back, in order, and that writing
// the document read back gives the same bytes again.
std::string CheckRoundTrip(std::string_view bytes);

// The first byte says how many of the next bytes are an address typed for
// the third save option; the rest is a file. When the address is accepted,
// the file written with it must read back to the same entries and comments.
std::string CheckTypedAddress(std::string_view bytes);

}  // namespace vantrel::fuzz
