// Saving as administrator on Windows: the consent prompt, the elevated copy
// and the system's SHA-256.
#pragma once

#include <windows.h>

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "save/ElevatedSave.h"

namespace vantrel {

// The SHA-256 of bytes by bcrypt.dll, looked up at the first call (Vista
// and later); nothing where it is missing or fails.
std::optional<std::string> SystemSha256(std::string_view bytes);

// The user's temporary folder, ending with a backslash; "" when unknown.
std::string UserTempFolder();

// Starts program (this program) through the consent prompt, owned by
// owner, and waits for it, repainting this program's windows.
std::unique_ptr<Elevation> MakeSystemElevation(HWND owner, std::string program);

// The elevated copy's whole run: no window, no start-up; its exit code.
int RunSaveElevatedCommand(const std::vector<std::string>& args);

}  // namespace vantrel
