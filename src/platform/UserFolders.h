#pragma once
#include <string>

// The folders of the player's own files, after the XDG base directory rules: only an absolute
// variable counts, a null or empty one is unset. Each ends in "tracklet"; empty when neither the
// variable nor HOME says where.

// $XDG_DATA_HOME/tracklet, else $HOME/.local/share/tracklet: what the game remembers.
std::string UserDataFolder(const char* xdgDataHome, const char* home);

// $XDG_CONFIG_HOME/tracklet, else $HOME/.config/tracklet: the player's settings.
std::string UserConfigFolder(const char* xdgConfigHome, const char* home);
