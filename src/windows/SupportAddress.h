// The address the Help and About windows offer for questions.
#pragma once

namespace vantrel {

inline constexpr const char* kSupportAddress = "help@vantrel.org";

}  // namespace vantrel
