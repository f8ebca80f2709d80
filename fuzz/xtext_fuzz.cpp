// Text .x model files: the input is the file after its header.
#include <string>

#include "FuzzInput.h"
#include "platform/MeshImporter.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string file = "xof 0303txt 0032" + std::string(reinterpret_cast<const char*>(data), size);
    MeshData mesh;
    ImportMesh(InputFile(reinterpret_cast<const uint8_t*>(file.data()), file.size(), "model.x"), &mesh);
    return 0;
}
