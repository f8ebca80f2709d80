#include <gtest/gtest.h>

#include <fstream>

#include "GameFixture.h"
#include "TempDir.h"
#include "platform/Keyboard.h"
#include "shell/DataFolder.h"
#include "shell/KeyboardInput.h"

TEST(DataFolder, GivenFolderThenACurrentFolderHoldingBothListsThenTheInstalledData) {
    TempDir dir;
    dir.Write("full/styles.txt", "0 standard\n");
    dir.Write("full/levels.txt", "one.txt\n");
    dir.Write("stylesOnly/styles.txt", "0 standard\n");
    dir.Write("levelsOnly/levels.txt", "one.txt\n");
    const std::string full = (dir.Path() / "full").string();
    const struct {
        std::string given, current, chosen;
    } cases[] = {
        {"/given", full, "/given"},
        {"", full, full},
        {"", (dir.Path() / "stylesOnly").string(), "/installed"},
        {"", (dir.Path() / "levelsOnly").string(), "/installed"},
        {"", (dir.Path() / "missing").string(), "/installed"},
    };
    for (const auto& c : cases) EXPECT_EQ(ChooseDataFolder(c.given, c.current, "/installed"), c.chosen) << c.current;
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

TEST_F(GameFixture, CameraKeyMakesTheCameraFilesFolderWhenMissing) {
    TempDir dir;
    const auto path = dir.Path() / "data-home" / "tracklet" / "camera.txt";
    FakeKeyboard keys;
    SetInputKeyboard(&keys);
    SetCameraFile(path.string());
    g_showTitleMenu = false;
    keys.Set('C', Keyboard::kPressedSince);
    HandleKeyboard(0.0f);
    SetCameraFile("camera.txt");
    SetInputKeyboard(nullptr);
    std::ifstream file(path);
    float numbers[12] = {};
    for (float& n : numbers) file >> n;
    EXPECT_TRUE(file) << path;
    EXPECT_EQ(numbers[4], 1.0f);  // up (0, 1, 0)
}
