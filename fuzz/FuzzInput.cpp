#include "FuzzInput.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "resources/MeshImporter.h"

const std::string& InputFolder() {
    // Never destroyed: the clean-up at exit still needs the name.
    static const std::string& folder = *new std::string([] {
        const char* tmp = std::getenv("TMPDIR");
        std::string pattern = std::string(tmp && *tmp ? tmp : "/tmp") + "/tracklet-fuzz-XXXXXX";
        if (!mkdtemp(pattern.data())) std::abort();
        std::atexit([] { std::filesystem::remove_all(InputFolder()); });
        return pattern;
    }());
    return folder;
}

std::string InputFile(const uint8_t* data, size_t size, const std::string& name) {
    const std::string path = InputFolder() + "/" + name;
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    std::ofstream(path, std::ios::binary | std::ios::trunc).write(reinterpret_cast<const char*>(data), std::streamsize(size));
    return path;
}

int ImportModelInput(const char* header, const uint8_t* data, size_t size) {
    const std::string file = header + std::string(reinterpret_cast<const char*>(data), size);
    MeshData mesh;
    ImportMesh(InputFile(reinterpret_cast<const uint8_t*>(file.data()), file.size(), "model.x"), &mesh);
    return 0;
}
