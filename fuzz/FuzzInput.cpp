#include "FuzzInput.h"

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>

#include "resources/MeshImporter.h"

#if __has_include(<valgrind/memcheck.h>)
#include <valgrind/memcheck.h>
#else
#define VALGRIND_MAKE_MEM_UNDEFINED(block, bytes) ((void)(block), (void)(bytes))
#endif

// The sanitizers' allocator calls these hooks on every heap block it hands out; absent elsewhere.
extern "C" int __sanitizer_install_malloc_and_free_hooks(void (*malloc_hook)(const volatile void*, size_t),
                                                         void (*free_hook)(const volatile void*)) __attribute__((weak));

namespace {

std::atomic<uint8_t> g_pattern{0xA5};
std::atomic<bool> g_fillFresh{false};

// A block of calloc's that the allocator takes from the system is not cleared again after the
// hook, so only blocks well inside the sizes it keeps in its own pools (128 KiB) are filled.
constexpr size_t kMaxFilledBlock = 64 << 10;

void FillFreshBlock(const volatile void* block, size_t bytes) {
    if (g_fillFresh.load(std::memory_order_relaxed) && bytes <= kMaxFilledBlock)
        std::memset(const_cast<void*>(block), g_pattern.load(std::memory_order_relaxed), bytes);
}

// The allocator takes the two hooks together or neither.
void IgnoreFreedBlock(const volatile void*) {}

}  // namespace

void SetFillPattern(uint8_t pattern) { g_pattern = pattern; }

void FillWithPattern(void* block, size_t bytes) {
    std::memset(block, g_pattern.load(std::memory_order_relaxed), bytes);
    VALGRIND_MAKE_MEM_UNDEFINED(block, bytes);
}

void FillFreshAllocations(bool on) {
    static const bool installed = __sanitizer_install_malloc_and_free_hooks &&
                                  __sanitizer_install_malloc_and_free_hooks(&FillFreshBlock, &IgnoreFreedBlock) != 0;
    (void)installed;
    g_fillFresh = on;
}

void Expect(bool holds, const char* broken) {
    if (holds) return;
    std::fprintf(stderr, "%s\n", broken);
    std::abort();
}

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

namespace {

struct ImportedModel {
    bool ok = false;
    std::string error;
    MeshData mesh;
};

ImportedModel ImportWithPattern(const std::string& path, uint8_t pattern) {
    SetFillPattern(pattern);
    FillFreshAllocations(true);
    ImportedModel model;
    model.ok = ImportMesh(path, &model.mesh, &model.error);
    FillFreshAllocations(false);
    return model;
}

// Byte for byte, so that a NaN read from the file compares equal to itself.
template <typename T>
bool SameBytes(const std::vector<T>& a, const std::vector<T>& b) {
    return a.size() == b.size() && (a.empty() || std::memcmp(a.data(), b.data(), a.size() * sizeof(T)) == 0);
}

bool SameModel(const ImportedModel& a, const ImportedModel& b) {
    if (a.ok != b.ok || a.error != b.error || !SameBytes(a.mesh.vertices, b.mesh.vertices) ||
        !SameBytes(a.mesh.indices, b.mesh.indices) || !SameBytes(a.mesh.subsets, b.mesh.subsets) ||
        a.mesh.materials.size() != b.mesh.materials.size())
        return false;
    for (size_t i = 0; i < a.mesh.materials.size(); ++i) {
        const MeshMaterial &x = a.mesh.materials[i], &y = b.mesh.materials[i];
        if (std::memcmp(&x.material, &y.material, sizeof x.material) != 0 || x.textureName != y.textureName) return false;
    }
    return true;
}

}  // namespace

int ImportModelInput(const char* header, const uint8_t* data, size_t size) {
    const std::string file = header + std::string(reinterpret_cast<const char*>(data), size);
    const std::string path = InputFile(reinterpret_cast<const uint8_t*>(file.data()), file.size(), "model.x");
    Expect(SameModel(ImportWithPattern(path, 0xA5), ImportWithPattern(path, 0x5A)),
           "two imports of one model differ: the mesh depends on memory the reader never wrote");
    return 0;
}
