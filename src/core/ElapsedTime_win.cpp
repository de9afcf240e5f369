#include <windows.h>

#include "core/ElapsedTime.h"

namespace vantrel {

uint32_t TickCount() { return GetTickCount(); }

}  // namespace vantrel
