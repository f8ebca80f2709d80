// The small system services in the browser: the clock, the program's folders, messages for the
// player and the mouse cursor.
#include <emscripten.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "platform/Clock.h"
#include "platform/MessageBox.h"
#include "platform/Paths.h"
#include "platform/web/WebStorage.h"

// Microseconds of the page's high-resolution clock.
int64_t PerformanceCounter() { return static_cast<int64_t>(emscripten_get_now() * 1000.0); }

int64_t PerformanceFrequency() { return 1000000; }

// The page's data is preloaded at the root of its file system.
std::string ExecutableFolder() { return "/"; }

bool FolderWritable(const std::string& folder) {
    // Only what lies in the browser's storage outlives the page; the shipped data is a copy that
    // a reload restores, so it counts as read-only.
    char resolved[4096];
    if (folder.empty() || !realpath(folder.c_str(), resolved)) return false;
    const char* kept = WebStorageFolder();
    const size_t n = std::strlen(kept);
    return std::strncmp(resolved, kept, n) == 0 && (resolved[n] == '\0' || resolved[n] == '/');
}

EM_JS(void, ShowPageMessage, (const char* caption, const char* text), {
    if (Module.showMessage) Module.showMessage(UTF8ToString(caption), UTF8ToString(text));
});

int ShowMessageBox(const std::string& caption, const std::string& text) {
    std::fprintf(stderr, "%s: %s\n", caption.c_str(), text.c_str());
    ShowPageMessage(caption.c_str(), text.c_str());
    return kIdOk;
}

EM_JS(void, SetCanvasCursor, (int show), {
    var canvas = document.getElementById('canvas');
    if (canvas) canvas.style.cursor = show ? 'default' : 'none';
});

void ShowCursor(bool show) { SetCanvasCursor(show ? 1 : 0); }
