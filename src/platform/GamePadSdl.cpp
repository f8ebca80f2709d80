#include <SDL.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <mutex>

#include "platform/GamePad.h"

static_assert(SDL_CONTROLLER_BUTTON_DPAD_RIGHT + 1 == kPadButtonCount, "PadButton follows SDL's order");
static_assert(SDL_CONTROLLER_AXIS_TRIGGERRIGHT + 1 == kPadAxisCount, "PadAxis follows SDL's order");

namespace {
constexpr size_t kMostPads = 16;
// A stick pushed this far (of 32767) makes its pad the leading one, like a button pressed.
constexpr int kLeadingPush = 16000;

// What SDL's event watch saw between two readings: it runs inside SDL's event pumping, so it only
// notes, and the reading acts.
struct Noted {
    std::mutex mutex;
    bool added = false;
    std::vector<SDL_JoystickID> removed;
    SDL_JoystickID used = -1;
};

struct Pads {
    bool open = false;
    std::vector<SDL_GameController*> controllers;
    SDL_JoystickID lead = -1;
    Noted noted;
    // The script and the virtual joystick it plays on.
    SDL_Joystick* scripted = nullptr;
    std::vector<PadScriptEvent> script;
    size_t next = 0;
    double clock = 0.0;
};

Pads& ThePads() {
    static Pads pads;
    return pads;
}

int Watch(void*, SDL_Event* event) {
    Noted& noted = ThePads().noted;
    std::lock_guard<std::mutex> lock(noted.mutex);
    switch (event->type) {
        case SDL_CONTROLLERDEVICEADDED: noted.added = true; break;
        case SDL_CONTROLLERDEVICEREMOVED: noted.removed.push_back(event->cdevice.which); break;
        case SDL_CONTROLLERBUTTONDOWN: noted.used = event->cbutton.which; break;
        case SDL_CONTROLLERAXISMOTION:
            if (std::abs(static_cast<int>(event->caxis.value)) > kLeadingPush) noted.used = event->caxis.which;
            break;
        default: break;
    }
    return 0;
}

SDL_JoystickID IdOf(SDL_GameController* controller) {
    return SDL_JoystickInstanceID(SDL_GameControllerGetJoystick(controller));
}

// Opens every game controller not open yet, up to kMostPads; the first one opened leads.
void OpenNewPads(Pads& pads) {
    for (int i = 0; i < SDL_NumJoysticks() && pads.controllers.size() < kMostPads; ++i) {
        if (!SDL_IsGameController(i)) continue;
        const SDL_JoystickID id = SDL_JoystickGetDeviceInstanceID(i);
        const bool known = std::any_of(pads.controllers.begin(), pads.controllers.end(),
                                       [&](SDL_GameController* c) { return IdOf(c) == id; });
        if (known) continue;
        if (SDL_GameController* controller = SDL_GameControllerOpen(i)) {
            pads.controllers.push_back(controller);
            if (pads.lead < 0) pads.lead = id;
        }
    }
}

// Closes the pad `id`; true when it was the one leading (the first left leads instead).
bool ClosePad(Pads& pads, SDL_JoystickID id) {
    const auto it = std::find_if(pads.controllers.begin(), pads.controllers.end(),
                                 [&](SDL_GameController* c) { return IdOf(c) == id; });
    if (it == pads.controllers.end()) return false;
    SDL_GameControllerClose(*it);
    pads.controllers.erase(it);
    if (pads.lead != id) return false;
    pads.lead = pads.controllers.empty() ? -1 : IdOf(pads.controllers.front());
    return true;
}

// Adds each mapping line of `file` SDL takes; a line it refuses is named once and skipped.
void AddMappingFile(const std::string& file) {
    std::ifstream in(file);
    std::string line;
    for (int number = 1; std::getline(in, line); ++number) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.find_first_not_of(" \t") == std::string::npos || line[line.find_first_not_of(" \t")] == '#') continue;
        if (SDL_GameControllerAddMapping(line.c_str()) < 0)
            std::fprintf(stderr, "tracklet: %s:%d: pad mapping skipped: %s\n", file.c_str(), number, SDL_GetError());
    }
}

// A script's axis value as the virtual joystick's raw value: sticks -1..1, triggers 0..1 over the
// whole raw range (SDL reads a trigger's -32768 as released).
Sint16 RawAxis(int axis, float value) {
    const bool trigger = axis >= SDL_CONTROLLER_AXIS_TRIGGERLEFT;
    const double v = trigger ? -32768.0 + std::clamp(value, 0.0f, 1.0f) * 65535.0 : std::clamp(value, -1.0f, 1.0f) * 32767.0;
    return static_cast<Sint16>(std::clamp(v, -32768.0, 32767.0));
}

// Plays the script's events up to the clock; a control set twice in one frame waits for the next,
// so a press shorter than a frame is still seen.
void PlayScript(Pads& pads, double dt, std::vector<PadScriptEvent>* played) {
    if (!pads.scripted) return;
    pads.clock += dt;
    std::vector<int> touched;
    for (; pads.next < pads.script.size() && pads.script[pads.next].at <= pads.clock; ++pads.next) {
        const PadScriptEvent& e = pads.script[pads.next];
        const int key = e.button ? e.control : 100 + e.control;
        if (std::find(touched.begin(), touched.end(), key) != touched.end()) break;
        touched.push_back(key);
        played->push_back(e);
        if (e.button) SDL_JoystickSetVirtualButton(pads.scripted, e.control, e.value > 0.5f ? 1 : 0);
        else SDL_JoystickSetVirtualAxis(pads.scripted, e.control, RawAxis(e.control, e.value));
    }
}
}  // namespace

void OpenGamePads(const std::string& mappingFile) {
    Pads& pads = ThePads();
    if (pads.open) return;
    SDL_AddEventWatch(Watch, nullptr);
    // SDL reads SDL_GAMECONTROLLERCONFIG itself here.
    if (SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER) != 0) {
        SDL_DelEventWatch(Watch, nullptr);
        return;
    }
    pads.open = true;
    if (!mappingFile.empty()) AddMappingFile(mappingFile);
    OpenNewPads(pads);
}

bool StartPadScript(std::vector<PadScriptEvent> script, std::string* why) {
    Pads& pads = ThePads();
    if (!pads.open) return (*why = "no pads here: " + std::string(SDL_GetError())), false;
    const int index = SDL_JoystickAttachVirtual(SDL_JOYSTICK_TYPE_GAMECONTROLLER, kPadAxisCount, kPadButtonCount, 0);
    if (index < 0 || !(pads.scripted = SDL_JoystickOpen(index)))
        return (*why = "no virtual pad: " + std::string(SDL_GetError())), false;
    for (int axis = SDL_CONTROLLER_AXIS_TRIGGERLEFT; axis < kPadAxisCount; ++axis)
        SDL_JoystickSetVirtualAxis(pads.scripted, axis, RawAxis(axis, 0.0f));
    pads.script = std::move(script);
    OpenNewPads(pads);
    return true;
}

PadSnapshot ReadGamePads(double dt) {
    Pads& pads = ThePads();
    PadSnapshot snapshot;
    if (!pads.open) return snapshot;
    PlayScript(pads, dt, &snapshot.played);
    // The script's values reach the controllers' state (and their events) now, not at the next pump.
    if (pads.scripted) SDL_GameControllerUpdate();
    bool added = false;
    std::vector<SDL_JoystickID> removed;
    SDL_JoystickID used = -1;
    {
        std::lock_guard<std::mutex> lock(pads.noted.mutex);
        std::swap(added, pads.noted.added);
        removed.swap(pads.noted.removed);
        std::swap(used, pads.noted.used);
    }
    for (const SDL_JoystickID id : removed) snapshot.leadPulledOut = ClosePad(pads, id) || snapshot.leadPulledOut;
    if (added) OpenNewPads(pads);
    const bool usedOpen = std::any_of(pads.controllers.begin(), pads.controllers.end(),
                                      [&](SDL_GameController* c) { return IdOf(c) == used; });
    if (usedOpen) pads.lead = used;
    SDL_GameController* lead = SDL_GameControllerFromInstanceID(pads.lead);
    if (!lead) return snapshot;
    snapshot.lead.connected = true;
    for (int b = 0; b < kPadButtonCount; ++b)
        snapshot.lead.buttons[b] = SDL_GameControllerGetButton(lead, static_cast<SDL_GameControllerButton>(b)) != 0;
    for (int a = 0; a < kPadAxisCount; ++a) {
        const float raw = static_cast<float>(SDL_GameControllerGetAxis(lead, static_cast<SDL_GameControllerAxis>(a)));
        snapshot.lead.axes[a] = std::clamp(raw / 32767.0f, -1.0f, 1.0f);
    }
    return snapshot;
}

void CloseGamePads() {
    Pads& pads = ThePads();
    if (!pads.open) return;
    for (SDL_GameController* c : pads.controllers) SDL_GameControllerClose(c);
    pads.controllers.clear();
    if (pads.scripted) {
        SDL_JoystickClose(pads.scripted);
        pads.scripted = nullptr;
    }
    SDL_DelEventWatch(Watch, nullptr);
    SDL_QuitSubSystem(SDL_INIT_GAMECONTROLLER);
    pads.open = false;
    pads.lead = -1;
}
