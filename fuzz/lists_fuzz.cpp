// The list files as the catalogue reads them at start-up. The input holds styles.txt,
// levels.txt and the model, texture and sound lists of folder "s", separated by zero bytes.
#include <unistd.h>

#include <algorithm>

#include <string>

#include "FuzzInput.h"
#include "platform/RecordingDevice.h"
#include "resources/ResourceCatalogue.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const char* const kFiles[] = {"styles.txt", "levels.txt", "s/models.txt", "s/textures.txt", "s/sounds.txt"};
    const std::string input(reinterpret_cast<const char*>(data), size);
    size_t at = 0;
    for (const char* name : kFiles) {
        const size_t end = std::min(input.find('\0', at), input.size());
        InputFile(data + at, end - at, name);
        at = std::min(end + 1, input.size());
    }
    if (chdir(InputFolder().c_str()) != 0) return 0;
    RecordingDevice device;
    ResourceCatalogue catalogue(&device, nullptr);
    return 0;
}
