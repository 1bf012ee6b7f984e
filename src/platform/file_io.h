#pragma once
// Whole-file reads and writes. A write never truncates the file it replaces: the new content goes to a
// temporary file in the same folder, which then takes the target's place, so a failure at any point leaves
// the old file as it was and no temporary file behind.

#include <cstddef>
#include <string>
#include <string_view>

namespace gw {

// Reads at most maxBytes from the start of the file. Raises gw::Error naming the path and the reason.
std::string ReadFileBytes(const std::string& path, std::size_t maxBytes = static_cast<std::size_t>(-1));

// Replaces the file's content (creating it when missing). A read-only file is refused, as the system would
// refuse to open it for writing; a link is followed and the file it points to is replaced.
void WriteFileReplacing(const std::string& path, std::string_view bytes);

// The system's text for the last error of the C library (errno).
std::string LastErrorText();

}  // namespace gw
