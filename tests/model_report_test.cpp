#include <gtest/gtest.h>

#include <sstream>

#include "ModelReport.h"
#include "TempDir.h"
#include "XExporters.h"

namespace {

// The scene of XExporters.h as the game takes it: 22 distinct corners (every face has its own
// normal), 8 triangles, three materials; the sphere's centre is the corners' mean.
std::string SceneReport(const std::string& file, const std::string& format, const std::string& listing) {
    return file + ": " + format + "\n"
           "  vertices: 22\n"
           "  triangles: 8\n"
           "  materials: 3\n"
           "  material 0: 3 triangles, diffuse 0.8 0.3 0.2 1, specular 0.5 0.5 0.5, emissive 0 0 0, power 10, "
           "texture \"bricks.png\"" + listing + "\n"
           "  material 1: 3 triangles, diffuse 0.2 0.2 0.6 0.5, specular 0.1 0.1 0.1, emissive 0.1 0 0, power 2, no texture\n"
           "  material 2: 2 triangles, diffuse 0.8 0.3 0.2 1, specular 0.5 0.5 0.5, emissive 0 0 0, power 10, "
           "texture \"bricks.png\"" + listing + "\n"
           "  bounding sphere: centre 3.36364 1.72727 1.27273, radius 5.10874\n";
}

std::string Report(const std::vector<std::string>& files, int* status) {
    std::ostringstream out;
    *status = RunModelReport(files, out);
    return out.str();
}

}  // namespace

// The style of a model is the folder above its models folder; a file elsewhere takes the first
// style of styles.txt; without either, textures are not looked up.
TEST(ModelReport, TellsHowEachFileIsWrittenAndWhetherItsTexturesAreListed) {
    TempDir dir;
    ScopedCurrentDir here(dir.Path());
    dir.Write("styles.txt", "0 other\n");
    dir.Write("other/textures.txt", "grass.png\n");
    dir.Write("house/textures.txt", "roof.png\nbricks.png\n");
    dir.Write("house/models/max.x", xexport::Compress(xexport::ToBinary(xexport::MaxStyleX(), 64), 1024));
    dir.Write("house/models/blender.x", xexport::BlenderStyleX());
    dir.Write("loose/saved.x", xexport::ToBinary(xexport::SavedMeshesX(), 32));
    int status = -1;
    EXPECT_EQ(Report({"house/models/max.x", "house/models/blender.x", "loose/saved.x"}, &status),
              SceneReport("house/models/max.x", "compressed binary, 64-bit floats", " (listed in house/textures.txt)") +
                  SceneReport("house/models/blender.x", "text, 32-bit floats", " (listed in house/textures.txt)") +
                  SceneReport("loose/saved.x", "binary, 32-bit floats",
                              " (not listed in other/textures.txt: drawn without it)"));
    EXPECT_EQ(status, 0);

    std::filesystem::remove("styles.txt");
    EXPECT_EQ(Report({"loose/saved.x"}, &status), SceneReport("loose/saved.x", "binary, 32-bit floats", ""));
}

// A refused file gets the reason the game refuses it for, and the status says so; the files
// after it are still reported.
TEST(ModelReport, GivesTheReasonForARefusedFile) {
    TempDir dir;
    ScopedCurrentDir here(dir.Path());
    std::string broken = xexport::Compress(xexport::BlenderStyleX(), 512);
    broken.replace(16, 4, "\xff\xff\xff\x7f");  // declares more than 4 MiB inflated
    dir.Write("broken.x", broken);
    dir.Write("plain.x", xexport::PlainX());
    int status = -1;
    const std::string report = Report({"missing.x", "broken.x", "plain.x"}, &status);
    EXPECT_EQ(status, 1);
    EXPECT_EQ(report.substr(0, report.find("plain.x: text")),
              "missing.x: refused: cannot open missing.x\n"
              "broken.x: refused: declares 2147483647 bytes inflated, more than 4194304\n");
    EXPECT_NE(report.find("plain.x: text, 32-bit floats\n  vertices: 22\n"), std::string::npos);
}
