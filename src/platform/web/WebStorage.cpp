#include "platform/web/WebStorage.h"

#include <emscripten.h>

// The page's script mounts the storage here and fills it before main runs (web/storage.js).
const char* WebStorageFolder() { return "/home/web_user"; }

EM_JS(void, StartPersisting, (), {
    if (Module.persistStorage) Module.persistStorage();
});

void PersistWebStorage() { StartPersisting(); }
