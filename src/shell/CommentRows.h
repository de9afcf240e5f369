// The rows of the comments list, which the window draws from the document.
#pragma once

#include <cstdint>

#include "core/HostsDocument.h"

namespace vantrel {

// The comments, or one placeholder row when the file had none.
int32_t CommentRowCount(const HostsDocument& doc);
Text CommentRow(const HostsDocument& doc, int32_t i);

}  // namespace vantrel
