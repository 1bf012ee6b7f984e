#include "platform/user_folders.h"

#include <cstdlib>

namespace gw {

namespace {

std::string Environment(const char* name) {
  const char* value = std::getenv(name);
  return value ? std::string(value) : std::string();
}

#ifdef _WIN32
std::string UnderWindowsFolder(const char* variable) {
  const std::string base = Environment(variable);
  return base.empty() ? std::string() : base + "\\Gravelwright";
}
#else
// The XDG rule: a relative value is invalid and ignored.
std::string UnderXdgFolder(const char* variable, const char* homeRelative) {
  const std::string base = Environment(variable);
  if (!base.empty() && base.front() == '/') return base + "/gravelwright";
  const std::string home = Environment("HOME");
  if (home.empty()) return {};
  return home + homeRelative + "/gravelwright";
}
#endif

}  // namespace

std::string UserConfigFolder() {
#ifdef _WIN32
  return UnderWindowsFolder("APPDATA");
#else
  return UnderXdgFolder("XDG_CONFIG_HOME", "/.config");
#endif
}

std::string UserDataFolder() {
#ifdef _WIN32
  return UnderWindowsFolder("LOCALAPPDATA");
#else
  return UnderXdgFolder("XDG_DATA_HOME", "/.local/share");
#endif
}

}  // namespace gw
