// Settings files: exactly the 256 image bytes, no header, suffix ".qrs".
//
// The dialogs that pick a name live with the main window; everything after the
// dialog is here, so the command-line tool and the tests use the same code.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "settings/settings_image.h"

inline constexpr const char* kSettingsSuffix = ".qrs";
inline constexpr size_t kMaxPathLength = 255;  // characters, without the terminator

// The path of the file last opened or saved as; empty at start and after New.
extern std::string currentFilePath;

// Reads the first 256 bytes of `path` over the leading bytes of `image` (a
// shorter file replaces only as many bytes as it holds). Returns 1, or 0 with
// `image` unchanged when the file cannot be opened or read.
int ReadSettingsFile(const char* path, SettingsImage& image);

// Writes all 256 bytes of `image` to `path` without ever leaving a damaged
// file: returns 0, with any previous file untouched, when the write fails.
int WriteSettingsFile(const char* path, const SettingsImage& image);

// The Save As name: `chosen` with ".qrs" appended unless its last four
// characters are ".qrs" byte for byte; nullopt when the result would not fit
// kMaxPathLength characters (or `chosen` is empty).
std::optional<std::string> SaveAsPath(std::string_view chosen);

// Open after the dialog: reads `path` into the process-wide image and makes it
// the current path; on failure neither changes. Returns 1 or 0.
int OpenSettingsPath(const std::string& path);

// Save As after the dialog: forces the suffix, writes the process-wide image
// there and makes the result the current path. Returns 1 or 0; a name that is
// too long is refused and changes nothing.
int SaveSettingsAsPath(std::string_view chosen);
