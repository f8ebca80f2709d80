#include <gtest/gtest.h>

#include <sstream>

#include "ModelReport.h"
#include "TempDir.h"
#include "XExporters.h"

// The scene of fuzz/x_layouts.py as the game takes it: 22 distinct corners (every face has its
// own normal), 8 triangles, three materials; the sphere's centre is the corners' mean. The style
// of a model is the folder above its models folder; a file elsewhere takes the first style of
// styles.txt. A refused file gets the reason the game refuses it for, the files after it are
// still reported, and the status says so.
TEST(ModelReport, TellsHowEachFileIsWrittenWhatItHoldsOrWhyItIsRefused) {
    TempDir dir;
    ScopedCurrentDir here(dir.Path());
    dir.Write("styles.txt", "0 other\n");
    dir.Write("other/textures.txt", "grass.png\n");
    dir.Write("house/textures.txt", "roof.png\nbricks.png\n");
    dir.Write("house/models/max.x", xexport::Compress(xexport::ToBinary(xexport::Layout("max"), 64), 1024));
    dir.Write("loose/saved.x", xexport::ToBinary(xexport::Layout("saved"), 32));
    dir.Write("broken.x", "xof 0303tzip0032\xff\xff\xff\x7f");
    const auto scene = [](const std::string& file, const std::string& format, const std::string& listing) {
        const std::string brick = "diffuse 0.8 0.3 0.2 1, specular 0.5 0.5 0.5, emissive 0 0 0, power 10, texture \"bricks.png\"";
        return file + ": " + format + "\n  vertices: 22\n  triangles: 8\n  materials: 3\n  material 0: 3 triangles, " +
               brick + listing + "\n  material 1: 3 triangles, diffuse 0.2 0.2 0.6 0.5, specular 0.1 0.1 0.1, "
               "emissive 0.1 0 0, power 2, no texture\n  material 2: 2 triangles, " + brick + listing +
               "\n  bounding sphere: centre 3.36364 1.72727 1.27273, radius 5.10874\n";
    };
    std::ostringstream out;
    EXPECT_EQ(RunModelReport({"house/models/max.x", "loose/saved.x"}, out), 0);
    EXPECT_EQ(out.str(), scene("house/models/max.x", "compressed binary, 64-bit floats", " (listed in house/textures.txt)") +
                             scene("loose/saved.x", "binary, 32-bit floats", " (not listed in other/textures.txt: drawn without it)"));

    std::filesystem::remove("styles.txt");
    out.str("");
    EXPECT_EQ(RunModelReport({"missing.x", "broken.x", "loose/saved.x"}, out), 1);
    EXPECT_EQ(out.str(), "missing.x: refused: cannot open missing.x\n"
                         "broken.x: refused: declares 2147483647 bytes inflated, more than 4194304\n" +
                             scene("loose/saved.x", "binary, 32-bit floats", ""));
}
