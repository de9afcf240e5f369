// Running out of memory told apart from other failures. Operations change nothing until nothing
// can fail, so one that runs out of memory leaves what it worked on as it was.
#pragma once

#include <new>
#include <stdexcept>

namespace vantrel {

// Runs op; true when it ran out of memory. An array asked to grow past what
// the address space can hold counts as that too.
template <class Op>
bool RanOutOfMemory(Op&& op) {
  try {
    op();
  } catch (const std::bad_alloc&) {
    return true;
  } catch (const std::length_error&) {
    return true;
  }
  return false;
}

}  // namespace vantrel
