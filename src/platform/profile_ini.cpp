#include "platform/profile_ini.h"

#include "platform/ascii_text.h"
#include "platform/error.h"
#include "platform/file_io.h"
#include "platform/number_text.h"
#include "platform/paths.h"

namespace gw {

namespace {

struct Line {
  std::size_t start, end, next;  // [start, end) is the text, [end, next) its line break
};

// Calls visit(line) for each line until it returns false.
template <typename Visit>
void ForEachLine(std::string_view text, Visit visit) {
  std::size_t pos = text.substr(0, 3) == "\xEF\xBB\xBF" ? 3 : 0;
  while (pos < text.size()) {
    std::size_t end = pos;
    while (end < text.size() && text[end] != '\n' && text[end] != '\r') ++end;
    std::size_t next = end;
    if (next < text.size())
      next += (text[next] == '\r' && next + 1 < text.size() && text[next + 1] == '\n') ? 2 : 1;
    if (!visit(Line{pos, end, next})) return;
    pos = next;
  }
}

// The section name of a "[Name]" line. As Windows reads it, the name runs to the last "]" ("[a]b]" names
// "a]b"), and a line without "]" is an ordinary line.
std::optional<std::string_view> SectionName(std::string_view line) {
  line = TrimBlanks(line);
  if (line.empty() || line.front() != '[') return std::nullopt;
  const auto close = line.rfind(']');
  if (close == 0 || close == std::string_view::npos) return std::nullopt;
  return TrimBlanks(line.substr(1, close - 1));
}

std::string_view LineBreakOf(std::string_view text) {
  const auto i = text.find_first_of("\r\n");
  if (i == std::string_view::npos) return "\r\n";  // a new file gets the system's own style
  if (text[i] == '\n') return "\n";
  return (i + 1 < text.size() && text[i + 1] == '\n') ? "\r\n" : "\r";
}

bool HasLineBreak(std::string_view s) {
  return s.find_first_of("\r\n") != std::string_view::npos;
}

}  // namespace

ProfileLocation LocateProfileValue(std::string_view text, std::string_view section, std::string_view key) {
  section = TrimBlanks(section);
  key = TrimBlanks(key);
  ProfileLocation where;
  bool inSection = false;
  ForEachLine(text, [&](const Line& l) {
    const std::string_view line = text.substr(l.start, l.end - l.start);
    if (const auto name = SectionName(line)) {
      if (inSection) return false;  // the section ended before the key was found
      inSection = !where.sectionFound && SameText(*name, section);
      if (inSection) {
        where.sectionFound = true;
        where.insertAt = l.next;
        where.insertBreakSize = l.next - l.end;
      }
      return true;
    }
    if (!inSection) return true;
    if (!TrimBlanks(line).empty()) {
      where.insertAt = l.next;
      where.insertBreakSize = l.next - l.end;
    }
    const auto eq = line.find('=');
    if (eq == std::string_view::npos || !SameText(TrimBlanks(line.substr(0, eq)), key)) return true;
    where.keyFound = true;
    where.lineStart = l.start;
    where.lineNext = l.next;
    std::size_t v = l.start + eq + 1;
    while (v < l.end && IsBlank(text[v])) ++v;
    std::size_t e = l.end;
    while (e > v && IsBlank(text[e - 1])) --e;
    where.valueStart = v;
    where.valueEnd = e;
    return false;
  });
  return where;
}

std::string SetProfileValue(std::string_view text, std::string_view section, std::string_view key,
                            std::string_view value) {
  const ProfileLocation where = LocateProfileValue(text, section, key);
  std::string out;
  if (where.keyFound) {
    if (text.substr(where.valueStart, where.valueEnd - where.valueStart) == value) return std::string(text);
    // Keep the key, its spacing and "=" (and any blanks after it); the rest of the line is the new value.
    std::size_t lineEnd = where.lineNext;
    while (lineEnd > where.valueStart && (text[lineEnd - 1] == '\n' || text[lineEnd - 1] == '\r')) --lineEnd;
    out.append(text.substr(0, where.valueStart));
    out.append(value);
    out.append(text.substr(lineEnd));
    return out;
  }
  const std::string_view br = LineBreakOf(text);
  std::string entry(TrimBlanks(key));
  entry.push_back('=');
  entry.append(value);
  if (where.sectionFound) {
    // The new line brings its own break, so removing it again gives back the same bytes.
    out.append(text.substr(0, where.insertAt));
    if (where.insertBreakSize > 0) {
      // The line's own break: a lone CR put before the rest could otherwise join a following LF.
      out.append(entry);
      out.append(text.substr(where.insertAt - where.insertBreakSize, where.insertBreakSize));
    } else {
      // The section's last line ends the file without a break: it gets one, and so does the new line.
      out.append(br);
      out.append(entry);
      out.append(br);
    }
    out.append(text.substr(where.insertAt));
    return out;
  }
  out.assign(text);
  if (!out.empty() && out.back() != '\n' && out.back() != '\r') out.append(br);
  out.push_back('[');
  out.append(TrimBlanks(section));
  out.push_back(']');
  out.append(br);
  out.append(entry);
  out.append(br);
  return out;
}

std::string RemoveProfileKey(std::string_view text, std::string_view section, std::string_view key) {
  const ProfileLocation where = LocateProfileValue(text, section, key);
  if (!where.keyFound) return std::string(text);
  std::size_t from = where.lineStart;
  const char last = text[where.lineNext - 1];
  if (last != '\n' && last != '\r' && from > 0) {
    // The last line has no break of its own: drop the one before it, so the file still ends as it did.
    --from;
    if (from > 0 && text[from] == '\n' && text[from - 1] == '\r') --from;
  }
  std::string out(text.substr(0, from));
  out.append(text.substr(where.lineNext));
  return out;
}

ProfileIni::ProfileIni(std::string path) : path_(std::move(path)) {}

const std::string& ProfileIni::Text() const {
  if (!text_) {
    try {
      text_ = FileExists(path_) ? ReadFileBytes(path_) : std::string();
    } catch (const Error&) {
      text_ = std::string();  // an unreadable file reads as the defaults
    }
  }
  return *text_;
}

std::string ProfileIni::FreshText() const {
  // A write starts from the file as it is now, and never from a failed read: that would lose its lines.
  try {
    return FileExists(path_) ? ReadFileBytes(path_) : std::string();
  } catch (const Error& e) {
    throw Error("Cannot write the settings to " + path_ + ": " + e.what());
  }
}

void ProfileIni::Store(std::string text) {
  try {
    WriteFileReplacing(path_, text);
  } catch (const Error& e) {
    throw Error("Cannot write the settings to " + path_ + ": " + e.what());
  }
  text_ = std::move(text);
}

std::optional<std::string> ProfileIni::Read(std::string_view section, std::string_view key) const {
  const std::string& text = Text();
  const ProfileLocation where = LocateProfileValue(text, section, key);
  if (!where.keyFound) return std::nullopt;
  return text.substr(where.valueStart, where.valueEnd - where.valueStart);
}

std::string ProfileIni::ReadString(std::string_view section, std::string_view key,
                                   std::string_view def) const {
  auto value = Read(section, key);
  if (value) return std::move(*value);
  // Windows trims the default's trailing blanks as well.
  while (!def.empty() && def.back() == ' ') def.remove_suffix(1);
  return std::string(def);
}

int32_t ProfileIni::ReadInteger(std::string_view section, std::string_view key, int32_t def) const {
  const auto value = Read(section, key);
  int32_t result = 0;
  return value && TryIniStrToInt(*value, result) ? result : def;
}

void ProfileIni::WriteString(std::string_view section, std::string_view key, std::string_view value) {
  const std::string_view s = TrimBlanks(section), k = TrimBlanks(key);
  if (s.empty() || HasLineBreak(s) || s.find(']') != std::string_view::npos)
    throw Error("Cannot write the settings to " + path_ + ": invalid section name \"" + std::string(section) +
                "\"");
  if (k.empty() || HasLineBreak(k) || k.find('=') != std::string_view::npos || k.front() == '[')
    throw Error("Cannot write the settings to " + path_ + ": invalid key \"" + std::string(key) + "\"");
  if (HasLineBreak(value))
    throw Error("Cannot write the settings to " + path_ + ": a value holds a line break");
  const std::string text = FreshText();
  std::string updated = SetProfileValue(text, s, k, value);
  if (updated == text && FileExists(path_)) {
    text_ = std::move(updated);
    return;
  }
  Store(std::move(updated));
}

void ProfileIni::WriteInteger(std::string_view section, std::string_view key, int32_t value) {
  WriteString(section, key, FormatInt(value));
}

void ProfileIni::DeleteKey(std::string_view section, std::string_view key) {
  const std::string text = FreshText();
  std::string updated = RemoveProfileKey(text, section, key);
  if (updated.size() == text.size()) {
    text_ = std::move(updated);
    return;
  }
  Store(std::move(updated));
}

}  // namespace gw
