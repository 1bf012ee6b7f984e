#pragma once
// Byte-exact text helpers. Names, keys and file names are compared by folding "a".."z" only, so that
// 8-bit characters of any code page compare exactly.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace gw {

constexpr char AsciiUpper(char c) {
  return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

constexpr bool SameText(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (AsciiUpper(a[i]) != AsciiUpper(b[i])) return false;
  return true;
}

std::string AsciiUpperCase(std::string_view s);

// Eight bytes of `s` from `from` on as a number that orders as the bytes do, missing bytes as zero: a sort
// key's head that settles most comparisons of long names without comparing the strings themselves.
constexpr std::uint64_t OrderingHead(std::string_view s, std::size_t from = 0) {
  std::uint64_t head = 0;
  for (std::size_t i = from; i < from + 8; ++i)
    head = head << 8 | (i < s.size() ? static_cast<unsigned char>(s[i]) : 0u);
  return head;
}

// Blank and tab, the only separators of tokens in setup and ini lines.
constexpr bool IsBlank(char c) {
  return c == ' ' || c == '\t';
}

std::string_view TrimBlanks(std::string_view s);

// Lines split at LF, CR and CR LF; a text that ends with a line break adds no empty last line.
std::vector<std::string> SplitLines(std::string_view text);

}  // namespace gw
