#include <gtest/gtest.h>

#include "platform/RecordingDevice.h"
#include "resources/ResourceCatalogue.h"
#include "TempDir.h"
#include "XFiles.h"

namespace {

class CatalogueTest : public ::testing::Test {
protected:
    std::unique_ptr<ResourceCatalogue> Build(RenderDevice* with) {
        ScopedCurrentDir here(dir.Path());
        return std::make_unique<ResourceCatalogue>(with, nullptr);
    }
    std::unique_ptr<ResourceCatalogue> Build() { return Build(&device); }

    // A style folder whose model list names one model, `model`.
    void StyleFolder(const std::string& folder, const std::string& model) {
        dir.Write(folder + "/models/tri.x", TriangleX());
        dir.Write(folder + "/models.txt", model + " tri.x\n");
    }

    TempDir dir;
    RecordingDevice device;
};

using Levels = std::vector<std::string>;

}  // namespace

TEST_F(CatalogueTest, OnlyStyleZeroIsLoadedFromItsLastFolder) {
    StyleFolder("a", "fromA");
    StyleFolder("b", "fromB");
    StyleFolder("c", "fromC");
    dir.Write("styles.txt", "0 a\n1 b\n0 c\n");
    auto catalogue = Build();
    EXPECT_EQ(catalogue->styles, (std::map<int32_t, std::string>{{0, "c"}, {1, "b"}}));
    EXPECT_EQ(catalogue->models.size(), 1u);
    EXPECT_NE(catalogue->models["fromC"].mesh, nullptr);
}

TEST_F(CatalogueTest, StyleTableEndsAtTheFirstUnreadableRecord) {
    for (const auto& [text, expected] : std::vector<std::pair<std::string, std::map<int32_t, std::string>>>{
             {"0 a\tx b\n2 c\n", {{0, "a"}}},   // a number that is not a number
             {"0 a 1", {{0, "a"}}},             // a record cut short
             {"-3 neg\n0 zero", {{-3, "neg"}, {0, "zero"}}},
             {"", {{0, ""}}},  // style 0 is looked up all the same, empty or missing
         }) {
        dir.Write("styles.txt", text);
        EXPECT_EQ(Build()->styles, expected) << text;
    }
    std::filesystem::remove(dir.Path() / "styles.txt");
    EXPECT_EQ(Build()->styles, (std::map<int32_t, std::string>{{0, ""}}));
}

TEST_F(CatalogueTest, LevelListKeepsFileOrderAndDuplicatesWhateverTheLineEnds) {
    for (const char* text : {"a.txt b.txt a.txt", "a.txt\nb.txt\na.txt\n", "a.txt\r\n\tb.txt\n\n a.txt"}) {
        dir.Write("levels.txt", text);
        EXPECT_EQ(Build()->levels, (Levels{"a.txt", "b.txt", "a.txt"})) << text;
    }
    dir.Write("levels.txt", "");
    EXPECT_TRUE(Build()->levels.empty());
}

TEST_F(CatalogueTest, NullDeviceLeavesEverythingEmpty) {
    StyleFolder("a", "fromA");
    dir.Write("styles.txt", "0 a\n");
    dir.Write("levels.txt", "one two\n");
    auto catalogue = Build(nullptr);
    EXPECT_TRUE(catalogue->styles.empty() && catalogue->models.empty() && catalogue->levels.empty());
}
