#include "Models.h"

#include <cmath>

// Model space: x east, y south, z up, the origin on the floor at the tile centre; one tile is
// 10 units. Lighting comes straight down, so an upward face shows about 1.5 x its diffuse colour
// and a vertical one 0.5 x: colours are chosen for the tops and kept bright enough for the sides.

namespace {

constexpr float kPi = 3.14159265358979f;

GenMaterial Colour(float r, float g, float b, float specular = 0.0f, float power = 20.0f) {
    GenMaterial m;
    m.r = r;
    m.g = g;
    m.b = b;
    m.sr = m.sg = m.sb = specular;
    m.power = power;
    return m;
}

GenMaterial Textured(const std::string& file, float diffuse = 0.65f, float specular = 0.0f) {
    GenMaterial m = Colour(diffuse, diffuse, diffuse, specular);
    m.texture = file;
    return m;
}

GenMaterial Glowing(float r, float g, float b, float glow) {
    GenMaterial m = Colour(r, g, b, 0.3f, 30.0f);
    m.er = r * glow;
    m.eg = g * glow;
    m.eb = b * glow;
    return m;
}

// Rails run 1.5 units either side of the centre line; their tops are 0.6 above the floor, where
// the game sets the train down.
constexpr float kGauge = 1.5f, kRailHalf = 0.2f, kSleeperTop = 0.3f, kRailTop = 0.6f;

GenMesh Rails() {
    GenMesh m;
    const uint32_t bed = m.AddMaterial(Textured("ballast.png", 0.62f));
    const uint32_t wood = m.AddMaterial(Colour(0.46f, 0.30f, 0.18f));
    const uint32_t steel = m.AddMaterial(Colour(0.50f, 0.52f, 0.56f, 0.6f, 30.0f));
    // Turn 0 joins the west and east sides: the track runs along x.
    m.FacingQuad(bed, {0, 0, 1}, {-5, -3, 0.02f}, {5, -3, 0.02f}, {5, 3, 0.02f}, {-5, 3, 0.02f},
                 {0, 0.2f, 1, 0.2f, 1, 0.8f, 0, 0.8f});
    for (float x : {-4.0f, -2.0f, 0.0f, 2.0f, 4.0f}) m.Box(wood, {x - 0.45f, -2.5f, 0}, {x + 0.45f, 2.5f, kSleeperTop});
    for (float y : {-kGauge, kGauge})
        m.Box(steel, {-5, y - kRailHalf, kSleeperTop}, {5, y + kRailHalf, kRailTop});
    return m;
}

GenMesh RailsCorner() {
    GenMesh m;
    const uint32_t bed = m.AddMaterial(Textured("ballast.png", 0.62f));
    const uint32_t wood = m.AddMaterial(Colour(0.46f, 0.30f, 0.18f));
    const uint32_t steel = m.AddMaterial(Colour(0.50f, 0.52f, 0.56f, 0.6f, 30.0f));
    // Turn 0 joins the south and west sides: a quarter circle of radius 5 around the south-west
    // corner (-5, 5), from the south side's middle (0, 5) to the west side's middle (-5, 0).
    const float cx = -5, cy = 5, a0 = -kPi / 2, a1 = 0;
    m.RingSector(bed, cx, cy, 2.0f, 8.0f, a0, a1, 0.02f, 12);
    // Sleepers one unit in from each side, as on the straight piece, and evenly between.
    const float arc = 5.0f * kPi / 2;
    for (int i = 0; i < 4; ++i) {
        const float s = 1.0f + i * (arc - 2.0f) / 3.0f;
        const float a = a0 + s / 5.0f;
        m.TurnedBox(wood, cx + 5 * std::cos(a), cy + 5 * std::sin(a), a, 2.5f, 0.45f, 0, kSleeperTop);
    }
    for (float r : {5.0f - kGauge, 5.0f + kGauge})
        m.ArcBeam(steel, cx, cy, r - kRailHalf, r + kRailHalf, a0, a1, kSleeperTop, kRailTop, 12);
    return m;
}

// A steam locomotive facing -y (north), its wheels on z = 0.
GenMesh Train() {
    GenMesh m;
    const uint32_t black = m.AddMaterial(Colour(0.12f, 0.12f, 0.13f, 0.4f, 25.0f));
    const uint32_t green = m.AddMaterial(Colour(0.10f, 0.45f, 0.22f, 0.5f, 25.0f));
    const uint32_t red = m.AddMaterial(Colour(0.70f, 0.12f, 0.10f, 0.3f, 20.0f));
    const uint32_t brass = m.AddMaterial(Colour(0.85f, 0.65f, 0.20f, 0.8f, 40.0f));
    const uint32_t lamp = m.AddMaterial(Glowing(1.0f, 0.95f, 0.6f, 0.6f));
    // Frame and buffer beam.
    m.Box(black, {-1.7f, -4.0f, 0.8f}, {1.7f, 4.0f, 1.4f});
    m.Box(red, {-2.0f, -4.4f, 0.7f}, {2.0f, -4.0f, 1.6f});
    // Boiler along y, smokebox at the front.
    m.CylinderAxis(green, green, {0, -2.8f, 2.7f}, {0, 1, 0}, 1.35f, 3.9f, 20);
    m.CylinderAxis(black, black, {0, -4.0f, 2.7f}, {0, 1, 0}, 1.4f, 1.2f, 20);
    m.CylinderAxis(brass, brass, {0, -1.2f, 2.7f}, {0, 1, 0}, 1.42f, 0.25f, 20);
    // Chimney, dome and headlamp.
    m.Cylinder(black, black, 0, -3.3f, 0.5f, 3.8f, 5.6f, 12, false);
    m.Cylinder(black, black, 0, -3.3f, 0.7f, 5.3f, 5.7f, 12, false);
    m.Cylinder(brass, brass, 0, -0.6f, 0.6f, 3.8f, 4.6f, 12, false);
    m.Box(lamp, {-0.4f, -4.5f, 3.5f}, {0.4f, -4.0f, 4.1f});
    // Cab at the back with a black roof.
    m.Box(red, {-1.8f, 1.1f, 1.4f}, {1.8f, 4.0f, 4.8f});
    m.Box(black, {-2.1f, 0.9f, 4.8f}, {2.1f, 4.3f, 5.2f});
    // Six wheels.
    for (float y : {-2.6f, -0.2f, 2.2f})
        for (float x : {-1.95f, 1.55f})
            m.CylinderAxis(red, black, {x, y, 0.9f}, {1, 0, 0}, 0.9f, 0.4f, 16);
    return m;
}

// A shot: a ball of hot yellow light. Its bounding sphere (centre 0, radius 0.5) is what the
// hit test uses, so the ball fills exactly that sphere, finely divided so that its outline is
// the sphere's; it glows in full, from every side, so it reads as a bright dot over the grass and
// the ballast wherever the camera stands.
GenMesh Bullet() {
    GenMesh m;
    const uint32_t glow = m.AddMaterial(Glowing(1.0f, 0.9f, 0.3f, 1.0f));
    m.Sphere(glow, {0, 0, 0}, 0.5f, 24, 12);
    return m;
}

// A red arrow pointing down; the game draws it 10 units above the floor point under the mouse,
// so its tip ends just above that point.
GenMesh Pointer() {
    GenMesh m;
    const uint32_t red = m.AddMaterial(Glowing(0.95f, 0.1f, 0.1f, 0.35f));
    m.Cone(red, 0, 0, 0.9f, -7.8f, -9.6f, 16);
    m.Cylinder(red, red, 0, 0, 0.3f, -7.8f, -5.5f, 10, false);
    return m;
}

// Grass far beyond the largest level in every direction, in cells that each map the texture once.
GenMesh Floor() {
    GenMesh m;
    const uint32_t grass = m.AddMaterial(Textured("grass.png"));
    const float cell = 50.0f, z = -0.05f;
    for (int j = -10; j < 12; ++j)
        for (int i = -10; i < 12; ++i) {
            const float x0 = i * cell, y0 = j * cell, x1 = x0 + cell, y1 = y0 + cell;
            m.FacingQuad(grass, {0, 0, 1}, {x0, y0, z}, {x1, y0, z}, {x1, y1, z}, {x0, y1, z});
        }
    return m;
}

// Arrow outlines for the track builders, pointing north (-y) as the train would enter.
std::vector<Point2> StraightArrow() {
    return {{-0.45f, 1.9f}, {0.45f, 1.9f}, {0.45f, -0.3f}, {1.2f, -0.3f}, {0, -2.1f}, {-1.2f, -0.3f}, {-0.45f, -0.3f}};
}

// Runs north, then bends a quarter turn to the east (right); mirrored for the left turn.
std::vector<Point2> CurvedArrow(bool right) {
    const float cx = 0.4f, cy = 0.4f, rOut = 1.95f, rIn = 1.05f;
    std::vector<Point2> p;
    p.push_back({cx - rOut, 1.9f});
    for (int i = 0; i <= 8; ++i) {
        const float a = kPi + (kPi / 2) * i / 8;
        p.push_back({cx + rOut * std::cos(a), cy + rOut * std::sin(a)});
    }
    p.push_back({cx, cy - 2.65f});
    p.push_back({cx + 1.7f, cy - 1.5f});
    p.push_back({cx, cy - 0.35f});
    for (int i = 8; i >= 0; --i) {
        const float a = kPi + (kPi / 2) * i / 8;
        p.push_back({cx + rIn * std::cos(a), cy + rIn * std::sin(a)});
    }
    p.push_back({cx - rIn, 1.9f});
    if (!right)
        for (Point2& q : p) q.x = -q.x;
    return p;
}

std::vector<Point2> Bolt() {
    return {{-0.2f, -2.2f}, {1.0f, -2.2f}, {0.3f, -0.5f}, {1.2f, -0.5f}, {-0.8f, 2.3f}, {-0.1f, 0.3f}, {-1.0f, 0.3f}};
}

// A round pedestal in a signal colour with a white sign on top.
GenMesh Pedestal(float r, float g, float b, const std::vector<Point2>& sign, GenMaterial signColour) {
    GenMesh m;
    const uint32_t base = m.AddMaterial(Colour(r, g, b, 0.3f, 20.0f));
    const uint32_t mark = m.AddMaterial(signColour);
    const uint32_t rim = m.AddMaterial(Colour(0.2f, 0.2f, 0.22f));
    m.Cylinder(rim, rim, 0, 0, 2.7f, 0, 0.3f, 24, false);
    m.Cylinder(base, base, 0, 0, 2.5f, 0.3f, 0.9f, 24, false);
    m.Extrude(mark, mark, sign, 0.9f, 1.5f);
    return m;
}

GenMesh Coins(const std::string& texture, float radius, float r, float g, float b, int stack) {
    GenMesh m;
    const uint32_t edge = m.AddMaterial(Colour(r, g, b, 0.7f, 30.0f));
    const uint32_t face = m.AddMaterial(Textured(texture, 0.66f, 0.5f));
    for (int i = 0; i < stack; ++i) {
        const float z0 = i * 0.55f, z1 = z0 + 0.55f;
        const float dx = (i % 2) * 0.15f;
        m.Cylinder(edge, i + 1 == stack ? face : edge, dx, 0, radius, z0, z1, 28, i == 0 ? false : true);
    }
    return m;
}

// A brick shield wall with battlements; it stops shots and is never knocked down. Lit only by
// the ambient half from the side, the bricks glow a little so the wall face stays readable.
GenMesh Block() {
    GenMesh m;
    GenMaterial brick = Textured("bricks.png", 0.75f);
    brick.er = brick.eg = brick.eb = 0.3f;
    const uint32_t bricks = m.AddMaterial(brick);
    const uint32_t coping = m.AddMaterial(Colour(0.62f, 0.6f, 0.58f));
    m.Box(bricks, coping, {-3.2f, -0.9f, 0}, {3.2f, 0.9f, 3.0f});
    for (float x : {-2.6f, 0.0f, 2.6f}) m.Box(bricks, coping, {x - 0.6f, -0.9f, 3.0f}, {x + 0.6f, 0.9f, 4.0f});
    return m;
}

// A station filling the three by three tiles around its own: platform, building, gable roof.
GenMesh Station() {
    GenMesh m;
    const uint32_t stone = m.AddMaterial(Colour(0.55f, 0.53f, 0.50f));
    const uint32_t wall = m.AddMaterial(Textured("stationwall.png", 0.7f));
    const uint32_t roof = m.AddMaterial(Textured("roof.png", 0.66f));
    const uint32_t trim = m.AddMaterial(Colour(0.35f, 0.22f, 0.14f));
    const uint32_t clock = m.AddMaterial(Glowing(0.95f, 0.95f, 0.9f, 0.2f));
    m.Box(stone, {-14.5f, -14.5f, 0}, {14.5f, 14.5f, 0.8f});
    m.Box(wall, {-10, -5, 0.8f}, {10, 5, 6.0f});
    // Gable roof along x, ridge over y = 0.
    const float eave = 6.0f, ridge = 9.5f, x0 = -10.6f, x1 = 10.6f, y = 6.2f;
    m.FacingQuad(roof, {0, -1, 1}, {x0, -y, eave}, {x1, -y, eave}, {x1, 0, ridge}, {x0, 0, ridge});
    m.FacingQuad(roof, {0, 1, 1}, {x0, y, eave}, {x1, y, eave}, {x1, 0, ridge}, {x0, 0, ridge});
    m.FacingQuad(trim, {0, 0, -1}, {x0, -y, eave}, {x1, -y, eave}, {x1, y, eave}, {x0, y, eave});
    m.FacingTriangle(trim, {-1, 0, 0}, {-10, -5, 6.0f}, {-10, 5, 6.0f}, {-10, 0, 9.1f});
    m.FacingTriangle(trim, {1, 0, 0}, {10, -5, 6.0f}, {10, 5, 6.0f}, {10, 0, 9.1f});
    // Clock tower over the door, and a canopy over the platform's south edge.
    m.Box(wall, trim, {-1.8f, -1.8f, 6.0f}, {1.8f, 1.8f, 12.0f});
    m.Box(clock, {-1.2f, 1.8f, 9.5f}, {1.2f, 1.9f, 11.5f});
    m.Cone(trim, 0, 0, 2.6f, 12.0f, 14.5f, 4);
    m.Box(trim, {-12, 8, 4.2f}, {12, 13, 4.6f});
    for (float x : {-11.0f, -4.0f, 4.0f, 11.0f}) m.Box(trim, {x - 0.2f, 11.8f, 0.8f}, {x + 0.2f, 12.2f, 4.2f});
    return m;
}

GenMaterial SignWhite() { return Colour(0.66f, 0.66f, 0.66f, 0.4f, 30.0f); }

}  // namespace

std::vector<NamedModel> MakeModels() {
    std::vector<NamedModel> out;
    out.push_back({"floor", "floor.x", Floor()});
    out.push_back({"train", "train.x", Train()});
    out.push_back({"bullet", "bullet.x", Bullet()});
    out.push_back({"pointer", "pointer.x", Pointer()});
    out.push_back({"rails", "rails.x", Rails()});
    out.push_back({"railscorner", "railscorner.x", RailsCorner()});
    out.push_back({"station", "station.x", Station()});
    out.push_back({"rturn", "rturn.x", Pedestal(0.15f, 0.35f, 0.80f, CurvedArrow(true), SignWhite())});
    out.push_back({"lturn", "lturn.x", Pedestal(0.55f, 0.20f, 0.75f, CurvedArrow(false), SignWhite())});
    out.push_back({"rrecht", "rrecht.x", Pedestal(0.15f, 0.60f, 0.20f, StraightArrow(), SignWhite())});
    out.push_back({"speed", "speed.x", Pedestal(0.85f, 0.12f, 0.08f, Bolt(), Colour(0.68f, 0.6f, 0.05f, 0.4f, 30))});
    out.push_back({"50pts", "50pts.x", Coins("coin50.png", 2.8f, 0.60f, 0.38f, 0.20f, 1)});
    out.push_back({"100pts", "100pts.x", Coins("coin100.png", 2.6f, 0.70f, 0.58f, 0.18f, 3)});
    out.push_back({"block", "block.x", Block()});
    return out;
}
