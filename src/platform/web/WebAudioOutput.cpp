// The browser's sound output: a Web Audio script node that pulls the game's mixer on the page's
// own thread. Browsers keep a page silent until the player first acts on it, so the output is
// opened at once and resumed on the first key or click.
#include <emscripten.h>

#include <vector>

#include "platform/AudioOutput.h"
#include "platform/web/WebFrame.h"

namespace {

struct Pull {
    AudioOutput::FillFunction fill = nullptr;
    void* context = nullptr;
    uint32_t channels = 1;
    std::vector<int16_t> samples;
};

Pull& CurrentPull() {
    static Pull pull;
    return pull;
}

// 1024 frames a call: the page's thread also draws, and a smaller block runs dry while a frame
// is drawn in software.
EM_JS(int, OpenWebAudio, (int channels, int samplesPerSecond), {
    var AudioContextType = window.AudioContext || window.webkitAudioContext;
    if (!AudioContextType) return 0;
    var context;
    try {
        context = new AudioContextType({sampleRate: samplesPerSecond});
    } catch (e) {
        return 0;
    }
    var node = context.createScriptProcessor(1024, 0, channels);
    node.onaudioprocess = function(event) {
        var output = event.outputBuffer;
        var frames = output.length;
        var at = Module._TrackletPullAudio(frames) >> 1;
        for (var c = 0; c < channels; ++c) {
            var data = output.getChannelData(c);
            for (var i = 0; i < frames; ++i) data[i] = HEAP16[at + i * channels + c] / 32768;
        }
    };
    node.connect(context.destination);
    Module.tracklet_audio = {context: context, node: node};
    return 1;
});

EM_JS(void, CloseWebAudio, (), {
    var audio = Module.tracklet_audio;
    if (!audio) return;
    audio.node.onaudioprocess = null;
    audio.node.disconnect();
    audio.context.close();
    Module.tracklet_audio = null;
});

EM_JS(void, ResumeWebAudio, (), {
    var audio = Module.tracklet_audio;
    if (audio && audio.context.state !== 'running') audio.context.resume();
});

class WebAudioOutput : public AudioOutput {
public:
    ~WebAudioOutput() override { Stop(); }

    Result Start(uint16_t channels, uint32_t samplesPerSecond, FillFunction fill, void* context) override {
        Stop();
        if (channels == 0) return kFail;
        Pull& pull = CurrentPull();
        pull.fill = fill;
        pull.context = context;
        pull.channels = channels;
        if (!OpenWebAudio(channels, static_cast<int>(samplesPerSecond))) {
            pull.fill = nullptr;
            return kFail;
        }
        open_ = true;
        return kOk;
    }

    void Stop() override {
        if (!open_) return;
        CloseWebAudio();
        CurrentPull().fill = nullptr;
        open_ = false;
    }

private:
    bool open_ = false;
};

}  // namespace

// Fills `frames` frames from the game's mixer and returns where they are; silence when no
// output is open.
extern "C" EMSCRIPTEN_KEEPALIVE int16_t* TrackletPullAudio(int frames) {
    Pull& pull = CurrentPull();
    pull.samples.assign(static_cast<size_t>(frames) * pull.channels, 0);
    if (pull.fill) pull.fill(pull.context, pull.samples.data(), static_cast<uint32_t>(frames), pull.channels);
    return pull.samples.data();
}

void NoteUserGesture() { ResumeWebAudio(); }

std::unique_ptr<AudioOutput> CreateAudioOutput() { return std::make_unique<WebAudioOutput>(); }
