#include "Levels.h"

// The ten levels, easiest first. Headings: n is towards row 0, e towards the last column.
// Track turns: "rails" 0 joins west and east, 90 north and south; "railscorner" 0 joins south
// and west, 90 west and north, 180 north and east, 270 east and south.

namespace {

LevelEntry Rails(int x, int y, int degrees) { return {x, y, "rails", 1.0f, degrees}; }
LevelEntry Corner(int x, int y, int degrees) { return {x, y, "railscorner", 1.0f, degrees}; }
LevelEntry Put(const char* name, int x, int y, int degrees = 0) { return {x, y, name, 1.0f, degrees}; }

// Level 1: one gap in a straight line, one straight-track builder beside it.
LevelDesign FirstShot() {
    LevelDesign l{"01_first_shot.txt", 7, 3, {}, 0, 1, 'e', 6, 1, 'e', 5.0f};
    for (int x : {0, 1, 2, 4, 5, 6}) l.objects.push_back(Rails(x, 1, 0));
    l.objects.push_back(Put("rrecht", 3, 2));
    return l;
}

// Level 2: a right turn, then a left turn; shot in the wrong order the track runs astray.
LevelDesign RightThenLeft() {
    LevelDesign l{"02_right_then_left.txt", 8, 6, {}, 0, 1, 'e', 7, 4, 'e', 4.0f};
    for (int x : {0, 1, 2}) l.objects.push_back(Rails(x, 1, 0));
    for (int y : {2, 3}) l.objects.push_back(Rails(3, y, 90));
    for (int x : {4, 5, 6, 7}) l.objects.push_back(Rails(x, 4, 0));
    l.objects.push_back(Put("rturn", 5, 1));
    l.objects.push_back(Put("lturn", 1, 4));
    return l;
}

// Level 3: three builders and three coins well away from the lines of fire.
LevelDesign Coins() {
    LevelDesign l{"03_coins.txt", 9, 7, {}, 0, 5, 'e', 8, 2, 'e', 4.0f};
    for (int x : {0, 1, 3}) l.objects.push_back(Rails(x, 5, 0));
    for (int y : {4, 3}) l.objects.push_back(Rails(4, y, 90));
    for (int x : {5, 6, 7, 8}) l.objects.push_back(Rails(x, 2, 0));
    l.objects.push_back(Put("rrecht", 2, 6));
    l.objects.push_back(Put("lturn", 5, 6));
    l.objects.push_back(Put("rturn", 2, 2));
    l.objects.push_back(Put("50pts", 7, 4));
    l.objects.push_back(Put("100pts", 6, 0));
    l.objects.push_back(Put("50pts", 0, 1));
    return l;
}

}  // namespace

std::vector<LevelDesign> MakeLevels() { return {FirstShot(), RightThenLeft(), Coins()}; }
