#include "shell/ProfileScreens.h"

#include <iostream>

#include "audio/Music.h"
#include "platform/Keyboard.h"
#include "platform/WindowMessages.h"
#include "resources/ResourceCatalogue.h"
#include "shell/FrameTimer.h"
#include "shell/KeyboardInput.h"
#include "shell/LevelListScreen.h"
#include "shell/ProfileSession.h"
#include "shell/RunWatch.h"
#include "shell/ScreenKeys.h"
#include "shell/SettingsScreen.h"
#include "state/GameState.h"
#include "state/LevelProgression.h"

namespace {

enum class Screen { None, LevelList, Settings, Watch };

Screen screen = Screen::None;
Screen afterWatch = Screen::None;  // where Escape or the end of a run goes back to
ScreenKeys keys;
KeyLatch latchL, latchO, latchF11;

bool PollReleased(int vk, KeyLatch& latch) {
    if (KeyCountsAsPressed(InputKeyboard().GetAsyncKeyState(vk))) {
        latch.set = true;
        return false;
    }
    const bool released = latch.set;
    latch.set = false;
    return released;
}

void Open(Screen next) {
    screen = next;
    keys.Start();
    if (next == Screen::LevelList) OpenLevelList();
    if (next == Screen::Settings) OpenSettings();
}

// Back to the title screen as the game has it, with the current level loaded again.
void BackToTitle() {
    screen = Screen::None;
    g_showTitleMenu = true;
    g_showIntroduction = false;
}

void StartWatch(const std::string& file, Screen back) {
    std::string why;
    if (!StartWatching(file, &why)) {
        std::cerr << "tracklet: cannot watch the run: " << why << "\n";
        if (back == Screen::LevelList) SayOnLevelList("This run no longer fits its level and cannot be watched.");
        return;
    }
    afterWatch = back;
    Open(Screen::Watch);
}

void EndWatch() {
    // The level watched is left behind; the title plays the current level from its start.
    LoadLevel(g_levelIndex);
    BackToTitle();
    if (afterWatch == Screen::LevelList) {
        // The list as it was left, on the level whose run was watched.
        screen = Screen::LevelList;
        keys.Start();
    }
}

void PlayLevel(int32_t level) {
    g_levelIndex = level;
    LoadLevel(g_levelIndex);
    screen = Screen::None;
    g_showTitleMenu = false;
    g_showIntroduction = false;
}

void ActOnList(const ListChoice& choice) {
    switch (choice.kind) {
        case ListChoice::Kind::Play: PlayLevel(choice.level); break;
        case ListChoice::Kind::Back: BackToTitle(); break;
        case ListChoice::Kind::Watch: {
            const std::string& name = g_catalogue->levels[static_cast<size_t>(choice.level)];
            const LevelRecord* record = RecordOfListedLevel(name);
            // The best run of the level before its file changed is tried, to say that it no
            // longer fits.
            if (!record || record->replay.empty()) record = EarlierRecordOfListedLevel(name);
            if (!record) {
                SayOnLevelList("No run of this level to watch yet: win it first.");
                break;
            }
            StartWatch(ProfileFolders().ReplayFolder() + "/" + record->replay, Screen::LevelList);
            break;
        }
        case ListChoice::Kind::None: break;
    }
}

// The screen's keys and drawing for one frame.
void RunScreen(float dt, int fps) {
    keys.Poll();
    if (keys.Released('M')) g_musicOff = !g_musicOff;
    switch (screen) {
        case Screen::LevelList:
            ActOnList(LevelListKeys(keys));
            if (screen == Screen::LevelList) DrawLevelList();
            break;
        case Screen::Settings:
            if (SettingsKeys(keys)) {
                BackToTitle();
            } else {
                DrawSettings();
            }
            break;
        case Screen::Watch:
            if (!WatchFrame(keys, dt, fps)) EndWatch();
            break;
        case Screen::None: break;
    }
}

}  // namespace

bool RunProfileFrame(FrameTimer& timer, float dt, int64_t now) {
    if (PollReleased(kVkF11, latchF11)) ToggleFullScreen();
    if (screen == Screen::None && g_showTitleMenu) {
        if (PollReleased('L', latchL)) Open(Screen::LevelList);
        if (PollReleased('O', latchO)) Open(Screen::Settings);
    }
    if (screen == Screen::None) return false;
    timer.EndFrame(now);
    RunScreen(dt, timer.Fps());
    KeepProfileUpToDate();
    KeepMusicGoing(g_soundSystem, g_catalogue ? g_catalogue->FindSound("blues") : nullptr, g_musicOff);
    return true;
}

bool ProfileScreenMouse(uint32_t message, int32_t x, int32_t y) {
    const bool click = message == kWmLButtonDown;
    switch (screen) {
        case Screen::LevelList: ActOnList(LevelListMouse(click, x, y)); return true;
        case Screen::Settings: SettingsMouse(click, x, y); return true;
        case Screen::Watch: return true;
        case Screen::None: return false;
    }
    return false;
}

bool ProfileScreenWheel(int notches) {
    if (screen == Screen::LevelList) LevelListWheel(notches);
    return screen != Screen::None;
}

void WatchRecording(const std::string& file) {
    g_showTitleMenu = true;
    StartWatch(file, Screen::None);
}
