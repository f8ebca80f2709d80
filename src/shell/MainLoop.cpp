#include "shell/MainLoop.h"

#include <iostream>
#include <memory>

#include "audio/Music.h"
#include "editor/EditScreen.h"
#include "platform/Clock.h"
#include "platform/GamePad.h"
#include "platform/Keyboard.h"
#include "graphics/ScreenDrawing.h"
#include "graphics/TouchButtons.h"
#include "platform/Window.h"
#include "profile/ReplayRecorder.h"
#include "profile/ProfileSession.h"
#include "profile/Settings.h"
#include "resources/ResourceCatalogue.h"
#include "screens/GameKeys.h"
#include "screens/GameScreen.h"
#include "screens/InputPath.h"
#include "screens/PadField.h"
#include "screens/ScreenStack.h"
#include "screens/WatchScreen.h"
#include "shell/BenchRun.h"
#include "shell/FrameTimer.h"
#include "shell/LevelWatch.h"
#include "shell/LoadInterrupt.h"
#include "shell/TouchGesture.h"
#include "state/GameState.h"

namespace {

// Everything the loop keeps between frames.
struct Loop {
    InputPath input;
    PadControl pad;
    GamePadField padField;
    TouchGesture touch;
    ScreenStack screens;
    std::string cameraFile = "camera.txt";
    LevelFileWatch levelWatch;
    LoadInterrupt loadInterrupt;
    BenchRun bench;
    bool latchF11 = false;
    FramePacing pacing = FramePacing::Fast;  // as the device was last told (it starts not waiting)
    // Resting: what the last frame drawn showed, whether window messages came since, and whether
    // the last pass drew nothing (the loop then waits before the next).
    const Screen* shownScreen = nullptr;
    uint64_t shownStamp = 0;
    bool messagesSinceFrame = true;
    bool restAfterPass = false;
};

// The longest a resting loop waits for input before its next pass: about one display frame.
constexpr int kRestMilliseconds = 16;

Loop& TheLoop() {
    static Loop loop;
    return loop;
}

// Last in the frame: restarts the music when it has ended, or keeps it stopped.
void KeepMusic() {
    KeepMusicGoing(g_soundSystem, g_catalogue ? g_catalogue->FindSound("blues") : nullptr, g_musicOff);
}

// Drains the window's messages and runs frames until the quit message or the screens end it;
// `measured`: a measured run of the game may end it too.
void RunLoop(bool measured) {
    Loop& loop = TheLoop();
    FrameTimer timer(PerformanceFrequency(), PerformanceCounter());
    if (measured) loop.bench.Start(PerformanceCounter(), PerformanceFrequency());
    for (;;) {
        // Every pending message is handled before a frame runs; a frame runs at once when the
        // queue is empty.
        WindowMessage message;
        if (PeekWindowMessage(&message)) {
            if (message.message == kWmQuit) return;
            DispatchWindowMessage(message);
            loop.messagesSinceFrame = true;
            continue;
        }
        if (!RunFrame(timer, PerformanceCounter())) return;
        if (measured && loop.bench.Over(PerformanceCounter())) return;
        // One wait at most between two passes, so dt never holds more than one.
        if (loop.restAfterPass) WaitWindowMessage(kRestMilliseconds);
    }
}

// This pass's pacing: the run's, except that a measured run always runs fast. The device is told
// when it changes.
FramePacing PaceThisPass(Loop& loop) {
    const FramePacing pacing = loop.bench.Active() ? FramePacing::Fast : RunPacing();
    if (pacing != loop.pacing && g_device) {
        g_device->SetPresentWait(pacing != FramePacing::Fast);
        loop.pacing = pacing;
    }
    return pacing;
}

// Whether the screen on top draws this pass: always, except when resting and nothing its picture
// is drawn from has changed since the frame last drawn, no input came and no window message.
bool DrawsThisPass(Loop& loop, const Screen& top, const ScreenFrame& frame) {
    loop.restAfterPass = false;
    if (PaceThisPass(loop) != FramePacing::Rest) {
        loop.shownScreen = nullptr;
        return true;
    }
    const uint64_t stamp = top.PictureStampNow(frame);
    const bool same = stamp != 0 && stamp == loop.shownStamp && &top == loop.shownScreen &&
                      !loop.messagesSinceFrame && frame.input.Events().empty();
    loop.shownScreen = &top;
    loop.shownStamp = stamp;
    loop.messagesSinceFrame = false;
    loop.restAfterPass = same;
    return !same;
}

// A pad script's events, each on the line of stderr with the screen it meets: what a tester's
// script did, in order.
void SayPadScriptPlayed(const PadSnapshot& pad, const Screen* top) {
    for (const PadScriptEvent& event : pad.played)
        std::cerr << "pad script: " << event.at << " s: " << PadScriptEventText(event) << ": " << PadScreenName(top) << "\n";
}

// The touch buttons of the screen on top, once the player has touched the screen; none before.
void ShowTouchButtonsOf(const Loop& loop, const Screen& top) {
    if (!loop.input.Touched() || !g_device) {
        ShowTouchButtons({});
        return;
    }
    const Viewport whole = WholeScreen();
    ShowTouchButtons(LayTouchButtons(top.TouchButtons(), static_cast<int32_t>(whole.width),
                                     static_cast<int32_t>(whole.height)));
}

}  // namespace

void SetInputKeyboard(Keyboard* keyboard) { TheLoop().input.SetSource(keyboard); }

void SetCameraFile(const std::string& path) { TheLoop().cameraFile = path; }

void WatchLevelFiles() { TheLoop().levelWatch.Start(); }

bool KeepLoadingLevel() { return TheLoop().loadInterrupt.KeepLoadingLevel(TheLoop().input); }

bool QuitAskedDuringLoad() { return TheLoop().loadInterrupt.QuitAsked(); }

bool RunFrame(FrameTimer& timer, int64_t now) {
    Loop& loop = TheLoop();
    if (!loop.screens.Top()) loop.screens.Start(std::make_unique<GameScreen>(loop.cameraFile));
    loop.levelWatch.KeepLevelFresh();
    const float dt = timer.BeginFrame(now);
    // The pad holds its keys before the frame reads them; game time drives a pad script.
    const PadSnapshot pad = ReadGamePads(dt);
    SayPadScriptPlayed(pad, loop.screens.Top());
    loop.pad.Update(pad, PadSceneOf(loop.screens.Top()), dt, loop.padField, loop.input);
    loop.input.BeginFrame();
    // Full screen and window on any screen.
    if (PolledRelease(loop.input, BoundKey(Action::FullScreen), loop.latchF11)) ToggleFullScreen();
    ScreenFrame frame{dt, timer.Fps(), loop.input};
    // A load cut short by a quit leaves no level; the program ends before another frame.
    if (!loop.screens.Update(frame) || loop.loadInterrupt.QuitAsked()) return false;
    Screen* top = loop.screens.Top();
    // The profile saves a win and follows the music key.
    if (top->KeepsGameUpkeep()) KeepProfileUpToDate();
    timer.EndFrame(now);
    frame.fps = timer.Fps();
    ShowTouchButtonsOf(loop, *top);
    if (DrawsThisPass(loop, *top, frame)) {
        top->Draw(frame);
        // Drawing may settle what it draws from (the menu's camera pose, the camera's axes made
        // orthonormal again): the picture shown is the one of the state it leaves.
        if (loop.shownScreen) loop.shownStamp = top->PictureStampNow(frame);
    } else {
        timer.DropFrame();
    }
    if (top->KeepsGameUpkeep()) KeepMusic();
    return true;
}

void RunMainLoop() {
    RunLoop(true);
    // The screens' fonts and pictures go while their device still lives.
    TheLoop().screens.Clear();
}

int RunEditMode(const EditModeOptions& options) {
    Loop& loop = TheLoop();
    loop.screens.Start(std::make_unique<EditScreen>(options, loop.cameraFile));
    RunLoop(false);
    loop.screens.Clear();
    return 0;
}

void WatchRecording(const std::string& file) {
    Loop& loop = TheLoop();
    if (!loop.screens.Top()) loop.screens.Start(std::make_unique<GameScreen>(loop.cameraFile));
    g_showTitleMenu = true;
    std::string why;
    std::unique_ptr<WatchScreen> watch = WatchScreen::Start(file, &why);
    if (!watch) {
        std::cerr << "tracklet: cannot watch the run: " << why << "\n";
        return;
    }
    loop.screens.Push(std::move(watch), loop.input);
}

bool ScreensTakeMouse() {
    const Screen* top = TheLoop().screens.Top();
    return top && top->TakesMouseEvents();
}

void PushInput(const InputEvent& event) { TheLoop().input.Push(event); }

void TakeTouch(uint32_t message, int32_t x, int32_t y) {
    Loop& loop = TheLoop();
    const int32_t height = g_device ? static_cast<int32_t>(WholeScreen().height) : 0;
    loop.touch.Take(message, x, y, ScreensTakeMouse(), height, loop.input);
}

void ResetMainLoop() {
    TheLoop() = Loop{};
    ForgetScreenDrawing();
    ForgetRecording();
    CloseProfile();
}
