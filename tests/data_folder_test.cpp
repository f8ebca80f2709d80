#include <gtest/gtest.h>

#include "TempDir.h"
#include "shell/DataFolder.h"

TEST(DataFolder, GivenFolderThenACurrentFolderHoldingBothListsThenTheInstalledData) {
    TempDir dir;
    dir.Write("full/styles.txt", "0 standard\n");
    dir.Write("full/levels.txt", "one.txt\n");
    dir.Write("stylesOnly/styles.txt", "0 standard\n");
    dir.Write("levelsOnly/levels.txt", "one.txt\n");
    const std::string full = (dir.Path() / "full").string();
    const struct {
        std::string given, current, chosen;
        bool installed;
    } cases[] = {
        {"/given", full, "/given", false},
        {"/installed", full, "/installed", false},
        {"", full, full, false},
        {"", (dir.Path() / "stylesOnly").string(), "/installed", true},
        {"", (dir.Path() / "levelsOnly").string(), "/installed", true},
        {"", (dir.Path() / "missing").string(), "/installed", true},
    };
    for (const auto& c : cases) {
        const DataFolderChoice choice = ChooseDataFolder(c.given, c.current, "/installed");
        EXPECT_EQ(choice.folder, c.chosen) << c.current;
        EXPECT_EQ(choice.installed, c.installed) << c.given << " " << c.current;
    }
}

TEST(DataFolder, CameraFileInTheDataFolderElseUnderTheUsersDataHome) {
    const struct {
        bool writable;
        const char *xdg, *home, *path;
    } cases[] = {
        {true, "/xdg", "/home/p", "camera.txt"},
        {false, "/xdg", "/home/p", "/xdg/tracklet/camera.txt"},
        {false, "relative", "/home/p", "/home/p/.local/share/tracklet/camera.txt"},
        {false, "", "/home/p", "/home/p/.local/share/tracklet/camera.txt"},
        {false, nullptr, "/home/p", "/home/p/.local/share/tracklet/camera.txt"},
        {false, nullptr, nullptr, "camera.txt"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(CameraFilePath(c.writable, c.xdg, c.home), c.path) << c.writable << " " << (c.xdg ? c.xdg : "null");
}
