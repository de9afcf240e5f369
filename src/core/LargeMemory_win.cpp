#include "core/LargeMemory.h"

namespace vantrel {

// Large pages on Windows need a privilege that users do not hold.
void* AllocateLarge(size_t bytes) { return ::operator new(bytes, std::nothrow); }

}  // namespace vantrel
