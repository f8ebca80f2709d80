#include <gtest/gtest.h>

#include "ImageFiles.h"
#include "platform/LoadReport.h"
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

// Style 0 is loaded from the last folder given for it; the table ends at the first unreadable
// record; style 0 is looked up all the same when the table is empty or missing. The level list
// keeps file order and duplicates whatever the line ends. Without a device nothing is read.
TEST_F(CatalogueTest, StyleTableAndLevelListAreReadAsWritten) {
    StyleFolder("a", "fromA");
    StyleFolder("c", "fromC");
    dir.Write("styles.txt", "0 a\n1 b\n0 c\n");
    auto catalogue = Build();
    EXPECT_EQ(catalogue->styles, (std::map<int32_t, std::string>{{0, "c"}, {1, "b"}}));
    EXPECT_EQ(catalogue->models.size(), 1u);
    EXPECT_NE(catalogue->models["fromC"].mesh, nullptr);
    EXPECT_EQ(catalogue->StylePath(0, "models/sub\\x.x"), "c/models/sub/x.x");

    for (const auto& [text, expected] : std::vector<std::pair<const char*, std::map<int32_t, std::string>>>{
             {"0 a\tx b\n2 c\n", {{0, "a"}}}, {"0 a 1", {{0, "a"}}}, {"-3 neg\n0 zero", {{-3, "neg"}, {0, "zero"}}}, {"", {{0, ""}}}}) {
        dir.Write("styles.txt", text);
        EXPECT_EQ(Build()->styles, expected) << text;
    }
    std::filesystem::remove(dir.Path() / "styles.txt");
    EXPECT_EQ(Build()->styles, (std::map<int32_t, std::string>{{0, ""}}));

    for (const char* text : {"a.txt b.txt a.txt", "a.txt\nb.txt\na.txt\n", "a.txt\r\n\tb.txt\n\n a.txt"}) {
        dir.Write("levels.txt", text);
        EXPECT_EQ(Build()->levels, (Levels{"a.txt", "b.txt", "a.txt"})) << text;
    }
    dir.Write("levels.txt", "");
    EXPECT_TRUE(Build()->levels.empty());

    dir.Write("styles.txt", "0 a\n");
    dir.Write("levels.txt", "one two\n");
    catalogue = Build(nullptr);
    EXPECT_TRUE(catalogue->styles.empty() && catalogue->models.empty() && catalogue->levels.empty());
}

// List entries may use backslashes (texture names stay as written, the key models match); every
// file that fails to load is reported with its reason, once a sink listens.
TEST_F(CatalogueTest, BackslashesInListsAndFailedLoadsAreReported) {
    dir.Write("styles.txt", "0 base\n");
    dir.Write("base/models/tri.x", TriangleX());
    dir.Write("base/models/bad.x", "xof 0303txt 0032\nMesh m { 3; 0;");
    dir.Write("base/models.txt", "tri sub\\..\\tri.x\nbad bad.x\nafter tri.x\n");
    ASSERT_TRUE(WriteBmp(dir.Write("base/textures/sub/q.bmp", ""), 8, Quadrants()));
    dir.Write("base/textures.txt", "sub\\q.bmp missing.png\n");
    dir.Write("base/sounds.txt", "");
    std::vector<std::string> reports;
    SetLoadReportSink([&](const std::string& file, const std::string& reason) { reports.push_back(file + ": " + reason); });
    std::filesystem::create_directories(dir.Path() / "base/models/sub");
    auto catalogue = Build();
    SetLoadReportSink(nullptr);
    EXPECT_NE(catalogue->FindModel("tri").mesh, nullptr);
    EXPECT_NE(catalogue->FindTexture("sub\\q.bmp"), nullptr);
    EXPECT_EQ(catalogue->FindTexture("missing.png"), nullptr);
    ASSERT_EQ(reports.size(), 3u);  // the bad model, the missing texture, the absent levels.txt
    EXPECT_EQ(reports[0].rfind("base/models/bad.x: ", 0), 0u) << reports[0];
    EXPECT_NE(reports[0].find("the model list stops here"), std::string::npos) << reports[0];
    EXPECT_EQ(reports[1].rfind("base/textures/missing.png: cannot be read", 0), 0u) << reports[1];
    EXPECT_EQ(reports[2], "levels.txt: cannot be opened");
}
