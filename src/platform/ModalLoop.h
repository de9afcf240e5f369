// Modal showing for the program's own windows: the owner is disabled and
// messages are run until the window hides itself or is destroyed.
#pragma once

#include <windows.h>

namespace vantrel {

void RunModal(HWND window, HWND owner);

}  // namespace vantrel
