#pragma once
// Whole-file reads and writes. A write never truncates the file it replaces: the new content goes to a
// temporary file in the same folder, which is flushed to the disk and then takes the target's place, so a
// failure at any point (a power cut included) leaves the old file or the new one, never a torn one.
// Reads open without waiting and take regular files only: a FIFO or a device chosen by the user is refused
// at once instead of blocking the program.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>
#include <string_view>

namespace gw {

struct FileCloser {
  void operator()(std::FILE* f) const { std::fclose(f); }
};
using FilePtr = std::unique_ptr<std::FILE, FileCloser>;

// Opens a regular file for reading ("<path> is not a regular file." for anything else). Raises gw::Error
// naming the path and the reason.
FilePtr OpenFileForReading(const std::string& path);
// The size of an open file in bytes.
std::uint64_t OpenFileSize(std::FILE* file);
// Appends at most maxBytes from the file's current position; raises gw::Error naming the path on a read
// error.
void ReadMore(std::FILE* file, const std::string& path, std::size_t maxBytes, std::string& bytes);

// Reads at most maxBytes from the start of the file. Raises gw::Error naming the path and the reason.
std::string ReadFileBytes(const std::string& path, std::size_t maxBytes = static_cast<std::size_t>(-1));

// Creates a new file for writing; fails (null, errno EEXIST) when anything of that name is there already,
// a link or a FIFO included, so nothing is ever written through it.
FilePtr CreateNewFile(const std::string& path);

// Replaces the file's content (creating it when missing). A read-only file is refused, as the system would
// refuse to open it for writing; a link is followed and the file it points to is replaced.
void WriteFileReplacing(const std::string& path, std::string_view bytes);

// Raises "<what> = <path> (the file is read-only)" for a read-only file, whoever runs the program (the
// system would let an administrator write it).
void RefuseReadOnly(const std::string& path, const char* what);

// The system's text for the last error of the C library (errno).
std::string LastErrorText();

}  // namespace gw
