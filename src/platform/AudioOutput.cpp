#include "platform/AudioOutput.h"

#include <SDL.h>
#include <dlfcn.h>

namespace {

void IgnoreAlsaError(const char*, int, const char*, int, const char*, ...) {}

// ALSA prints its own complaints to stderr when there is no sound card (every machine without
// one, CI included). A game without sound is not an error the player should see, so its error
// handler is replaced, through the same shared library SDL loads, before SDL touches it. The
// handle stays open so the library, and the setting, stay in the process.
void SilenceAlsa() {
    static const bool done = [] {
        void* alsa = dlopen("libasound.so.2", RTLD_NOW | RTLD_GLOBAL);
        if (!alsa) return true;
        using Handler = void (*)(const char*, int, const char*, int, const char*, ...);
        using SetHandler = int (*)(Handler);
        if (auto set = reinterpret_cast<SetHandler>(dlsym(alsa, "snd_lib_error_set_handler"))) set(&IgnoreAlsaError);
        return true;
    }();
    (void)done;
}

class SdlAudioOutput : public AudioOutput {
public:
    ~SdlAudioOutput() override {
        Stop();
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
    }

    Result Start(uint16_t channels, uint32_t samplesPerSecond, FillFunction fill_, void* context_) override {
        Stop();
        fill = fill_;
        context = context_;
        SDL_AudioSpec want{};
        want.freq = int(samplesPerSecond);
        want.format = AUDIO_S16SYS;
        want.channels = uint8_t(channels);
        // A sound asked for between two calls of `fill` is first heard at the next one, and a
        // sound that ends inside a call leaves the rest of it silent, so the call's length is
        // the granularity of every start and stop: 256 frames are 5.8 ms at 44100 a second,
        // small against a 60-a-second frame, which is what restarts the music when it ends.
        want.samples = 256;
        want.callback = &SdlAudioOutput::Callback;
        want.userdata = this;
        // No changes allowed: SDL converts to whatever the card takes, so the callback always
        // sees the format asked for.
        SDL_AudioSpec have{};
        device = SDL_OpenAudioDevice(nullptr, 0, &want, &have, 0);
        if (device == 0) return kFail;
        this->channels = channels;
        SDL_PauseAudioDevice(device, 0);
        return kOk;
    }

    void Stop() override {
        if (device != 0) SDL_CloseAudioDevice(device);
        device = 0;
    }

private:
    static void SDLCALL Callback(void* userdata, Uint8* stream, int length) {
        auto* self = static_cast<SdlAudioOutput*>(userdata);
        const uint32_t frames = uint32_t(length) / (2u * self->channels);
        self->fill(self->context, reinterpret_cast<int16_t*>(stream), frames, self->channels);
    }

    SDL_AudioDeviceID device = 0;
    uint16_t channels = 1;
    FillFunction fill = nullptr;
    void* context = nullptr;
};

}  // namespace

std::unique_ptr<AudioOutput> CreateAudioOutput() {
    SilenceAlsa();
    // Its own subsystem, counted by SDL, so the window's video set-up and this never undo each
    // other.
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return nullptr;
    return std::make_unique<SdlAudioOutput>();
}
