#pragma once
// Ini files in the manner of the Windows profile functions: one value of a section and key at a time.
// Section and key names match ignoring ASCII case and the blanks around them; a value is the text after the
// first "=" without the blanks around it, kept whole (quotes included, any length); the first of duplicate
// sections or keys wins. A write changes only the bytes of the one value (or adds or removes one line) and
// keeps the file's line-break style; every other byte stays as it was. Writes replace the file atomically.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace gw {

class ProfileIni {
 public:
  // Nothing is read until the first read; a missing or unreadable file reads as empty.
  explicit ProfileIni(std::string path);

  const std::string& Path() const { return path_; }

  std::optional<std::string> Read(std::string_view section, std::string_view key) const;
  // The default is given without its trailing blanks, as Windows gives it.
  std::string ReadString(std::string_view section, std::string_view key, std::string_view def) const;
  // A value that is no integer (decimal, or hexadecimal after "0x" or "0X") reads as the default.
  int32_t ReadInteger(std::string_view section, std::string_view key, int32_t def) const;

  // Creates the file, the section or the key as needed; writing the value already stored writes nothing.
  // Raises gw::Error naming the file when it cannot be written, or when the section, key or value would
  // not survive as one line.
  void WriteString(std::string_view section, std::string_view key, std::string_view value);
  void WriteInteger(std::string_view section, std::string_view key, int32_t value);
  // Removes the key's line; a missing key writes nothing.
  void DeleteKey(std::string_view section, std::string_view key);

 private:
  const std::string& Text() const;
  std::string FreshText() const;
  void Store(std::string text);

  std::string path_;
  mutable std::optional<std::string> text_;
};

// Where the section and key stand in an ini text: the value's byte range and the line that holds it.
struct ProfileLocation {
  bool sectionFound = false;
  std::size_t insertAt = 0;         // after the section's last non-blank line, where a new key goes
  std::size_t insertBreakSize = 0;  // that line's break (0 when it ends the file without one)
  bool keyFound = false;
  std::size_t lineStart = 0, lineNext = 0;   // the key's line, and the start of the line after it
  std::size_t valueStart = 0, valueEnd = 0;  // the stored value, blanks excluded
};
ProfileLocation LocateProfileValue(std::string_view text, std::string_view section, std::string_view key);

// The text with one value set (created as needed); the text unchanged when it already holds the value.
std::string SetProfileValue(std::string_view text, std::string_view section, std::string_view key,
                            std::string_view value);
// The text without the key's line.
std::string RemoveProfileKey(std::string_view text, std::string_view section, std::string_view key);

}  // namespace gw
