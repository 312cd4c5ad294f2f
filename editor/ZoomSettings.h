// The user's own zoom for the editor, for hosts that do not tell a view its
// display scale: the choices the face's zoom menu offers, and the small
// settings file that remembers the choice per user (never the plug-in's
// state). The file is one line, "zoom=150"; anything else in it, or a zoom
// that is not one of the choices, counts as no choice at all.
#pragma once

#include <cstdint>
#include <string>

namespace ZoomSettings {

// The menu's choices in percent, smallest first.
constexpr int32_t kChoices[] = {100, 125, 150, 175, 200, 250, 300};
constexpr int32_t kChoiceCount = static_cast<int32_t>(sizeof kChoices / sizeof kChoices[0]);
bool IsChoice(int32_t percent);

// The file's text for a choice, and a choice read from the text (0 for none).
std::string Format(int32_t percent);
int32_t Parse(const std::string& text);

// The settings file: $XDG_CONFIG_HOME/Ondivox/settings.txt (or
// ~/.config/Ondivox/settings.txt) on Linux, %APPDATA%\Ondivox\settings.txt
// on Windows; empty when the system names no such folder.
std::string FilePath();

// The remembered choice, or 0 when there is none (no file, a damaged one).
int32_t Load(const std::string& path = FilePath());
// Remembers a choice: the folder is made if need be, and the file replaced
// whole (written beside it, then renamed over it). False when it could not be.
bool Save(int32_t percent, const std::string& path = FilePath());

// --- What the system provides (the platform's source file) ----------------
// The per-user settings folder of this program, without a trailing separator.
std::string SettingsFolder();
// Reads at most maxBytes of a file; false when it cannot be opened.
bool ReadSmallFile(const std::string& path, std::string* text, size_t maxBytes);
// Makes the file's folder and replaces the file with text, whole or not at all.
bool ReplaceWhole(const std::string& path, const std::string& text);

}  // namespace ZoomSettings
