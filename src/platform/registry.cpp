#include "platform/registry.h"

#include <cstdlib>
#include <filesystem>
#include <optional>
#include <system_error>
#include <vector>

#include "platform/ascii_text.h"
#include "platform/error.h"
#include "platform/file_io.h"
#include "platform/paths.h"

#ifdef _WIN32
#include <windows.h>
#endif

namespace gw {

#ifdef _WIN32

std::string ReadInstallPath() {
  HKEY key = nullptr;
  const std::string keyName(kInstallPathKey);
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, keyName.c_str(), 0, KEY_READ | KEY_WOW64_32KEY, &key) !=
      ERROR_SUCCESS)
    return {};
  DWORD type = 0, size = 0;
  LONG status = RegQueryValueExA(key, nullptr, nullptr, &type, nullptr, &size);
  std::string value;
  if (status == ERROR_SUCCESS && size > 0) {
    std::vector<char> buffer(size + 1, '\0');
    status = RegQueryValueExA(key, nullptr, nullptr, &type, reinterpret_cast<BYTE*>(buffer.data()), &size);
    if (status == ERROR_SUCCESS) value.assign(buffer.data());  // up to the first NUL
  }
  RegCloseKey(key);
  if (status == ERROR_FILE_NOT_FOUND) return {};
  if (status != ERROR_SUCCESS)
    throw Error("Cannot read the registry value " + keyName + " (error " + std::to_string(status) + ")");
  if (size > 0 && type != REG_SZ && type != REG_EXPAND_SZ)
    throw Error("The registry value " + keyName + " is not a string");
  return value;
}

#else

std::string ReadInstallPath() {
  std::string prefix;
  if (const char* p = std::getenv("WINEPREFIX"); p && *p) {
    prefix = p;
  } else if (const char* home = std::getenv("HOME"); home && *home) {
    prefix = std::string(home) + "/.wine";
  } else {
    return {};
  }
  return ReadWineInstallPath(prefix);
}

#endif

std::string ReadWineInstallPath(const std::string& prefixFolder) {
  std::string text;
  try {
    text = ReadFileBytes(GamePath(prefixFolder, "\\system.reg"));
  } catch (const Error&) {
    return {};
  }
  const std::string windowsPath = ReadWineRegistryDefault(text, kInstallPathKey);
  if (windowsPath.empty()) return {};
  return WindowsPathToLocal(prefixFolder, windowsPath);
}

namespace {

void AppendUtf8(std::string& out, uint32_t c) {
  if (c < 0x80) {
    out.push_back(static_cast<char>(c));
  } else if (c < 0x800) {
    out.push_back(static_cast<char>(0xC0 | (c >> 6)));
    out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
  } else if (c < 0x10000) {
    out.push_back(static_cast<char>(0xE0 | (c >> 12)));
    out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
  } else {
    out.push_back(static_cast<char>(0xF0 | (c >> 18)));
    out.push_back(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
  }
}

int Hex(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// UTF-16 code units to UTF-8, pairing surrogates; the text ends at the first NUL.
std::string Utf16ToUtf8(const std::vector<uint32_t>& units) {
  std::string out;
  for (std::size_t i = 0; i < units.size(); ++i) {
    uint32_t c = units[i];
    if (c == 0) break;
    if (c >= 0xD800 && c < 0xDC00 && i + 1 < units.size() && units[i + 1] >= 0xDC00 && units[i + 1] < 0xE000)
      c = 0x10000 + ((c - 0xD800) << 10) + (units[++i] - 0xDC00);
    AppendUtf8(out, c);
  }
  return out;
}

// The body of a quoted string after its opening quote, with Wine's escapes.
std::string DecodeQuoted(std::string_view s) {
  std::vector<uint32_t> units;
  for (std::size_t i = 0; i < s.size(); ++i) {
    const char c = s[i];
    if (c == '"') break;
    if (c != '\\' || i + 1 >= s.size()) {
      units.push_back(static_cast<unsigned char>(c));
      continue;
    }
    const char e = s[++i];
    switch (e) {
      case 'n':
        units.push_back('\n');
        break;
      case 'r':
        units.push_back('\r');
        break;
      case 't':
        units.push_back('\t');
        break;
      case 'a':
        units.push_back('\a');
        break;
      case 'b':
        units.push_back('\b');
        break;
      case 'e':
        units.push_back(0x1B);
        break;
      case 'f':
        units.push_back('\f');
        break;
      case 'v':
        units.push_back('\v');
        break;
      case 'x': {
        uint32_t v = 0;
        int n = 0;
        while (n < 4 && i + 1 < s.size() && Hex(s[i + 1]) >= 0)
          v = v * 16 + static_cast<uint32_t>(Hex(s[++i])), ++n;
        units.push_back(n ? v : 'x');
        break;
      }
      case '0':
      case '1':
      case '2':
      case '3':
      case '4':
      case '5':
      case '6':
      case '7': {
        uint32_t v = static_cast<uint32_t>(e - '0');
        int n = 1;
        while (n < 3 && i + 1 < s.size() && s[i + 1] >= '0' && s[i + 1] <= '7')
          v = v * 8 + static_cast<uint32_t>(s[++i] - '0'), ++n;
        units.push_back(v);
        break;
      }
      default:
        units.push_back(static_cast<unsigned char>(e));
        break;  // \\ and \" and the rest
    }
  }
  return Utf16ToUtf8(units);
}

// "hex(1):" or "hex(2):" data: UTF-16LE bytes.
std::string DecodeHexString(std::string_view s) {
  std::vector<uint8_t> bytes;
  for (std::size_t i = 0; i < s.size(); ++i) {
    if (Hex(s[i]) < 0) continue;
    if (i + 1 < s.size() && Hex(s[i + 1]) >= 0) {
      bytes.push_back(static_cast<uint8_t>(Hex(s[i]) * 16 + Hex(s[i + 1])));
      ++i;
    }
  }
  std::vector<uint32_t> units;
  for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) units.push_back(bytes[i] | (bytes[i + 1] << 8u));
  return Utf16ToUtf8(units);
}

// The key name of a "[Key\\Name] 12345" line, unescaped, or nothing.
std::optional<std::string> KeyLine(std::string_view line) {
  if (line.empty() || line.front() != '[') return std::nullopt;
  std::string name;
  for (std::size_t i = 1; i < line.size(); ++i) {
    if (line[i] == ']') return name;
    if (line[i] == '\\' && i + 1 < line.size()) ++i;
    name.push_back(line[i]);
  }
  return std::nullopt;
}

}  // namespace

std::string ReadWineRegistryDefault(std::string_view regText, std::string_view keyPath) {
  // Wine's machine hive names keys without "HKEY_LOCAL_MACHINE\" and without the leading "SOFTWARE" case.
  const std::string key(keyPath);
  std::string wow = key;
  if (SameText(key.substr(0, 9), "SOFTWARE\\")) wow = key.substr(0, 9) + "Wow6432Node\\" + key.substr(9);

  // Logical lines: a line ending in a backslash continues on the next one (long hex data).
  std::vector<std::string> lines;
  std::string current;
  std::size_t pos = 0;
  while (pos <= regText.size()) {
    auto end = regText.find('\n', pos);
    if (end == std::string_view::npos) end = regText.size();
    std::string_view raw = regText.substr(pos, end - pos);
    if (!raw.empty() && raw.back() == '\r') raw.remove_suffix(1);
    if (!current.empty()) raw = TrimBlanks(raw);
    const bool hexData = !current.empty() || raw.find("=hex") != std::string_view::npos;
    if (hexData && !raw.empty() && raw.back() == '\\') {
      current.append(raw.substr(0, raw.size() - 1));
    } else {
      current.append(raw);
      lines.push_back(std::move(current));
      current.clear();
    }
    pos = end + 1;
  }

  // The native key wins over the 32-bit twin; both are read so either may hold the value.
  std::optional<std::string> found[2];
  int inKey = -1;
  for (const std::string& line : lines) {
    if (const auto name = KeyLine(line)) {
      inKey = SameText(*name, key) ? 0 : SameText(*name, wow) ? 1 : -1;
      continue;
    }
    if (inKey < 0 || found[inKey] || line.rfind("@=", 0) != 0) continue;
    const std::string_view data = std::string_view(line).substr(2);
    if (data.size() >= 1 && data.front() == '"') {
      found[inKey] = DecodeQuoted(data.substr(1));
    } else if (data.rfind("str(2):\"", 0) == 0 || data.rfind("str(1):\"", 0) == 0) {
      found[inKey] = DecodeQuoted(data.substr(8));
    } else if (data.rfind("hex(1):", 0) == 0 || data.rfind("hex(2):", 0) == 0) {
      found[inKey] = DecodeHexString(data.substr(7));
    } else {
      throw Error("The registry value " + key + " is not a string");
    }
  }
  return found[0] ? *found[0] : found[1] ? *found[1] : std::string();
}

std::string WindowsPathToLocal(const std::string& prefixFolder, std::string_view windowsPath) {
  namespace fs = std::filesystem;
  if (windowsPath.size() < 2 || windowsPath[1] != ':') return {};
  const char drive = static_cast<char>(windowsPath[0] | 0x20);
  if (drive < 'a' || drive > 'z') return {};
  std::error_code ec;
  fs::path local = fs::canonical(ToFsPath(prefixFolder) / "dosdevices" / (std::string(1, drive) + ":"), ec);
  if (ec) return {};

  // The parts after the drive, "." and ".." resolved first as Wine resolves them: ".." stops at the root.
  std::vector<std::string_view> parts;
  std::string_view rest = windowsPath.substr(2);
  while (!rest.empty()) {
    std::size_t n = 0;
    while (n < rest.size() && !IsPathSeparator(rest[n])) ++n;
    const std::string_view part = rest.substr(0, n);
    rest.remove_prefix(n < rest.size() ? n + 1 : n);
    if (part.empty() || part == ".") continue;
    if (part == "..") {
      if (!parts.empty()) parts.pop_back();
      continue;
    }
    parts.push_back(part);
  }

  // Walk the folders, taking the real letter case of each name as Wine does. Once a part is missing, none
  // below it can exist: the rest is appended as it is, so the work stays linear in the path's length.
  std::string result = FromFsPath(local);
  bool onDisk = true;
  for (const std::string_view part : parts) {
    std::string name(part);
    if (onDisk) {
      const std::string found = FindNameIgnoringCase(result, name);
      if (found.empty())
        onDisk = false;
      else
        name = found;
    }
    if (result.empty() || result.back() != kPathSeparator) result.push_back(kPathSeparator);
    result += name;
  }
  return result;
}

}  // namespace gw
