#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "TempDir.h"
#include "camera/Camera.h"
#include "math/MathFunctions.h"

namespace {

bool Orthonormal(const Camera& c) {
    const auto unit = [](const Vec3& v) { return std::fabs(Length(v) - 1.0f) < 1e-6f; };
    return unit(c.right) && unit(c.up) && unit(c.look) && std::fabs(Dot(c.right, c.up)) < 1e-6f &&
           std::fabs(Dot(c.right, c.look)) < 1e-6f && std::fabs(Dot(c.up, c.look)) < 1e-6f;
}

std::string ReadAll(const std::string& path) {
    std::ifstream in(path);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

}  // namespace

TEST(Camera, ViewMatrixRebuildsAFrameAndMovesThePositionToTheOrigin) {
    // Looking straight down from above (10, 20, 50), screen-up along world +y, axes not unit.
    Camera c;
    c.right = Vec3(1, 0, 0), c.look = Vec3(0, 0, -2), c.up = Vec3(0, 5, 0), c.position = Vec3(10, 20, 50);
    const Matrix4 view = c.ViewMatrix();
    EXPECT_TRUE(Orthonormal(c));
    Vec3 p;
    EXPECT_NEAR(Length(*Vec3TransformCoord(&p, c.position, view)), 0.0f, 1e-5f);
    // The floor point below lies straight ahead, 50 units away.
    EXPECT_NEAR(Length(*Vec3TransformCoord(&p, Vec3(10, 20, 0), view) - Vec3(0, 0, 50)), 0.0f, 1e-5f);
    EXPECT_NEAR(c.up.y, -1.0f, 1e-6f);  // up is rebuilt as look x right (left-handed)

    Camera turned;
    turned.Pitch(0.1f), turned.Yaw(-0.7f), turned.Roll(2.3f);
    turned.ViewMatrix();
    EXPECT_TRUE(Orthonormal(turned));
}

// Ten significant digits, enough for every float to read back exactly; a save that fails
// part-way (the file-size limit, as a full disk would) leaves the old file whole and no
// temporary file beside it.
TEST(Camera, SaveWritesTenDigitsAtomically) {
    TempDir dir;
    const std::string path = dir.Write("camera.txt", "1 2 3\n0 0 1\n0 1 0\n1 0 0\n");
    Camera c;
    c.position = Vec3(66.16783f, -4.213496e-06f, 1.0f), c.up = Vec3(0, 1, 0), c.look = Vec3(0.5f, 0.25f, -0.125f);
    c.right = Vec3(1, 0, 0);
    rlimit old{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &old), 0);
    rlimit small = old;
    small.rlim_cur = 10;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    const bool saved = c.Save(path);
    setrlimit(RLIMIT_FSIZE, &old);
    EXPECT_FALSE(saved);
    EXPECT_EQ(ReadAll(path), "1 2 3\n0 0 1\n0 1 0\n1 0 0\n");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()), std::filesystem::directory_iterator()), 1);

    ASSERT_TRUE(c.Save(path));
    EXPECT_EQ(ReadAll(path), "66.16783142 -4.21349614e-06 1\n0 1 0\n0.5 0.25 -0.125\n1 0 0\n");
    EXPECT_FALSE(c.Save("/nonexistent-dir/camera.txt"));

    // Saved through a symbolic link, the link stays and the file it names keeps its permissions;
    // a new file gets the usual ones.
    const std::string target = dir.Write("kept/camera.txt", "old\n"), link = (dir.Path() / "link.txt").string();
    const std::string made = (dir.Path() / "new.txt").string();
    std::filesystem::create_symlink(target, link);
    ASSERT_TRUE(chmod(target.c_str(), 0640) == 0 && c.Save(link) && c.Save(made));
    struct stat kept {}, fresh {};
    ASSERT_TRUE(stat(target.c_str(), &kept) == 0 && stat(made.c_str(), &fresh) == 0);
    EXPECT_TRUE(std::filesystem::is_symlink(link) && ReadAll(target) == ReadAll(path));
    EXPECT_TRUE((kept.st_mode & 07777) == 0640 && (fresh.st_mode & 07777) == 0644) << kept.st_mode << " " << fresh.st_mode;
}
