// Reading and writing settings files, and the current path rules.
#include "settings/settings_file.h"

#include <algorithm>

#include "settings/file_store.h"

std::string currentFilePath;

int ReadSettingsFile(const char* path, SettingsImage& image) {
  SettingsImage read = image;
  const long count = ReadFileStart(path, read.bytes.data(), read.bytes.size());
  if (count < 0) return 0;
  image = read;
  return 1;
}

int WriteSettingsFile(const char* path, const SettingsImage& image) {
  return ReplaceFileContents(path, image.bytes.data(), image.bytes.size()) ? 1 : 0;
}

std::optional<std::string> SaveAsPath(std::string_view chosen) {
  if (chosen.empty()) return std::nullopt;
  std::string path(chosen);
  if (!path.ends_with(kSettingsSuffix)) path += kSettingsSuffix;
  if (path.size() > kMaxPathLength) return std::nullopt;
  return path;
}

int OpenSettingsPath(const std::string& path) {
  if (path.empty() || path.size() > kMaxPathLength) return 0;
  if (!ReadSettingsFile(path.c_str(), settingsImage)) return 0;
  currentFilePath = path;
  return 1;
}

int SaveSettingsAsPath(std::string_view chosen) {
  const std::optional<std::string> path = SaveAsPath(chosen);
  if (!path) return 0;
  currentFilePath = *path;
  return WriteSettingsFile(currentFilePath.c_str(), settingsImage);
}
