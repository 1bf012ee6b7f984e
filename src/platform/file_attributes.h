#pragma once
// The read-only attribute: the Windows attribute bit, or elsewhere the owner's write permission.

#include <string>

namespace gw {

// True when the file exists and is marked read-only.
bool IsReadOnly(const std::string& path);

// Removes the read-only mark if it is set; every other attribute stays. Failures (a missing file) are
// ignored.
void ClearReadOnly(const std::string& path);

}  // namespace gw
