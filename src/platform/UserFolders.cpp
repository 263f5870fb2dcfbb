#include "platform/UserFolders.h"

#include <unistd.h>

#include <cstdlib>
#include <filesystem>

#include "platform/IniFile.h"

namespace {

std::string Environment(const char* name) {
  const char* value = std::getenv(name);
  return value ? std::string(value) : std::string();
}

std::string HomeFolder() {
  std::string home = Environment("HOME");
  return home.empty() ? std::string(".") : home;
}

// An XDG variable must hold an absolute path to count; otherwise the fallback under $HOME.
std::string XdgFolder(const char* variable, const char* fallbackUnderHome) {
  std::string value = Environment(variable);
  if (!value.empty() && value.front() == '/') return value;
  return HomeFolder() + "/" + fallbackUnderHome;
}

// XDG_PICTURES_DIR is usually only in user-dirs.dirs, as XDG_PICTURES_DIR="$HOME/Pictures".
std::string PicturesFromUserDirs() {
  const std::string file = XdgFolder("XDG_CONFIG_HOME", ".config") + "/user-dirs.dirs";
  auto value = ReadIniValue(file, "", "XDG_PICTURES_DIR");
  if (!value) return {};
  std::string path = *value;
  if (path.size() >= 2 && path.front() == '"' && path.back() == '"') path = path.substr(1, path.size() - 2);
  if (path.rfind("$HOME", 0) == 0) path = HomeFolder() + path.substr(5);
  return (!path.empty() && path.front() == '/') ? path : std::string();
}

}  // namespace

std::string ConfigFolder() { return XdgFolder("XDG_CONFIG_HOME", ".config") + "/tessera"; }

std::string DataFolder() { return XdgFolder("XDG_DATA_HOME", ".local/share") + "/tessera"; }

std::string ScreenshotFolder() {
  std::string pictures = Environment("XDG_PICTURES_DIR");
  if (pictures.empty() || pictures.front() != '/') pictures = PicturesFromUserDirs();
  if (pictures.empty()) pictures = HomeFolder() + "/Pictures";
  return pictures + "/tessera";
}

std::string SettingsFile() { return ConfigFolder() + "/tessera.ini"; }

std::string PackageFolderSetting() {
  std::string fromEnvironment = Environment("TESSERA_PACKAGE");
  if (!fromEnvironment.empty()) return fromEnvironment;
  return ReadIniValue(SettingsFile(), "Package", "RuntimePackagePath").value_or("");
}

bool IsFolderWritable(const std::string& folder) {
  return access(folder.c_str(), W_OK | X_OK) == 0;
}
