#pragma once

#include <filesystem>
#include <optional>

namespace os {

// The user's home folder: $HOME, else the one the user database gives.
std::optional<std::filesystem::path> HomeFolder();

// Makes `folder`, and those above it, where missing: whether it is a folder now.
bool MadeFolder(const std::filesystem::path& folder);

// The user's preferences folder: $XDG_CONFIG_HOME when it is an absolute path,
// else ~/.config. Made when missing; empty when it can't be had.
std::optional<std::filesystem::path> UserPreferencesFolder();

// Settings are written at close, when it is too late to do anything but
// report each one lost; where the preferences folder can't be had or written
// in, this says so in one line at start.
void TellUserWhenSettingsCantBeKept();

} // namespace os
