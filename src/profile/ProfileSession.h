#pragma once
#include <string>

#include "profile/ProfileFiles.h"
#include "profile/SetStanding.h"

class Window;

// The player's profile for the whole game: where it lives, what it holds, and its saving.
// Nothing here stops play: a file that cannot be written is said once and play goes on.

// Chooses the folders (--profile DIR, else the XDG ones) and reads progress and settings; a bad
// file is set aside with a line on stderr. Says once when the folders cannot be written.
void OpenProfile(const std::string& profileFolder);

// The window whose full screen the settings switch, and whether it was made covering the screen
// (--window may have made it a window against the stored choice).
void SetProfileWindow(Window* window, bool fullScreen);

const ProfilePaths& ProfileFolders();
const Progress& CurrentProgress();
const Settings& CurrentSettings();
// The key (or pad button) the player gives `action` now; its default before OpenProfile.
int BoundKey(Action action);
// That key's name, for the screens' key lines ("Escape", "pad:b").
std::string BoundKeyName(Action action);
// The key the player gave the first action whose default is `defaultKey` (M: the music), for what
// stands for a default key (a touch button, a line of the title); `defaultKey` when no action has it.
int ChosenKey(int defaultKey);
// The settings as the settings screen shows them: the stored ones, with full screen as the window
// is now and the pacing as this run paces.
Settings SettingsAsShown();

// Makes `shown` (SettingsAsShown() after a change) the current settings, applies them and saves
// them. Full screen counts as chosen only when it differs from the window as it is now; otherwise
// the stored choice stays.
void ChangeSettings(const Settings& shown);

// Makes this run pace its frames so (--pacing), whatever the settings keep.
void SetRunPacing(FramePacing pacing);
// How this run paces its frames: the setting, unless SetRunPacing or a change on the settings
// screen said otherwise; Fast before OpenProfile.
FramePacing RunPacing();

// Applies the volumes of the current settings to the catalogue's sounds (the music "blues", every
// other sound an effect).
void ApplySoundVolumes();

// Turns full screen on or off on the game's window and keeps it as the setting.
void SetFullScreen(bool fullScreen);

// Switches the window between full screen and window, as it is now (F11).
void ToggleFullScreen();

// Once per frame after the rules ran: saves the run of the level in play when it has just been
// won, and keeps the music setting as the M key leaves it. Nothing before OpenProfile.
void KeepProfileUpToDate();

// Notes that a hint was given since the level in play was last started: its win then counts as
// won, with no score, time or run kept.
void MarkLevelHinted();

// The record of the listed level file `name` as it is now (its content hash); null when none.
const LevelRecord* RecordOfListedLevel(const std::string& name);

// A record of the listed level file kept from before the file changed, whose run no longer fits
// it; null when none.
const LevelRecord* EarlierRecordOfListedLevel(const std::string& name);

// Reads sets.txt in the data folder (the current directory) against the catalogue's level list,
// once per game: without the file the levels are one set; a file that is refused is said once on
// stderr, naming its line, and the levels are played as one set.
void LoadLevelSets();

// The sets as the level list shows them, over levels.txt as it is now (LoadLevelSets first).
std::vector<ShownSet> ShownLevelSets();

// Where the player stands in each of the sets.
std::vector<SetStanding> StandingOfSets(const std::vector<ShownSet>& sets);

// Forgets the profile, as the program starts before OpenProfile. For tests.
void CloseProfile();

// Says, once per game, on stderr and over play for a few seconds, that progress is not saved.
void SayNotSaving(const std::string& why);
