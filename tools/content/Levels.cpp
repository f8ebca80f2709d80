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


// Level 4: speed targets sit in the easy lines of fire; wait for a clear line.
LevelDesign MindTheSpeed() {
    LevelDesign l{"04_mind_the_speed.txt", 10, 7, {}, 0, 1, 'e', 8, 6, 's', 5.0f};
    for (int x : {0, 1, 2, 4}) l.objects.push_back(Rails(x, 1, 0));
    for (int y : {2, 3}) l.objects.push_back(Rails(5, y, 90));
    for (int x : {6, 7}) l.objects.push_back(Rails(x, 4, 0));
    for (int y : {5, 6}) l.objects.push_back(Rails(8, y, 90));
    l.objects.push_back(Put("rrecht", 3, 3));
    l.objects.push_back(Put("rturn", 1, 3));
    l.objects.push_back(Put("lturn", 7, 2));
    l.objects.push_back(Put("rturn", 9, 3));
    l.objects.push_back(Put("speed", 2, 2));
    l.objects.push_back(Put("speed", 1, 2));
    l.objects.push_back(Put("speed", 6, 2));
    l.objects.push_back(Put("speed", 8, 0));
    l.objects.push_back(Put("100pts", 9, 0));
    l.objects.push_back(Put("50pts", 2, 5));
    return l;
}

// Level 5: brick shields hide the builders until the train has moved round to a clear line.
LevelDesign Shields() {
    LevelDesign l{"05_shields.txt", 10, 8, {}, 0, 6, 'e', 5, 5, 'w', 5.0f};
    for (int x : {0, 1}) l.objects.push_back(Rails(x, 6, 0));
    for (int y : {5, 4, 3}) l.objects.push_back(Rails(2, y, 90));
    for (int x : {3, 4, 5, 7}) l.objects.push_back(Rails(x, 2, 0));
    for (int y : {3, 4}) l.objects.push_back(Rails(8, y, 90));
    for (int x : {7, 6, 5}) l.objects.push_back(Rails(x, 5, 0));
    l.objects.push_back(Put("lturn", 3, 4));
    l.objects.push_back(Put("block", 1, 5));
    l.objects.push_back(Put("rturn", 0, 1));
    l.objects.push_back(Put("block", 1, 3));
    l.objects.push_back(Put("rrecht", 6, 0));
    l.objects.push_back(Put("block", 4, 1));
    l.objects.push_back(Put("rturn", 9, 0));
    l.objects.push_back(Put("rturn", 6, 4));
    l.objects.push_back(Put("block", 7, 3));
    l.objects.push_back(Put("50pts", 4, 4));
    return l;
}

// Level 6: the track runs round a station, whose platforms stop every shot across it.
LevelDesign RoundTheStation() {
    LevelDesign l{"06_round_the_station.txt", 12, 9, {}, 1, 7, 'e', 4, 4, 's', 5.0f};
    l.objects.push_back(Put("station", 6, 4));
    for (int x : {1, 2, 3, 5, 6, 7}) l.objects.push_back(Rails(x, 7, 0));
    for (int y : {6, 5, 4, 3}) l.objects.push_back(Rails(8, y, 90));
    for (int x : {7, 5}) l.objects.push_back(Rails(x, 2, 0));
    for (int y : {3, 4}) l.objects.push_back(Rails(4, y, 90));
    l.objects.push_back(Put("rrecht", 2, 1));
    l.objects.push_back(Put("lturn", 11, 8));
    l.objects.push_back(Put("lturn", 2, 4));
    l.objects.push_back(Put("rrecht", 6, 0));
    l.objects.push_back(Put("lturn", 0, 6));
    l.objects.push_back(Put("100pts", 10, 4));
    l.objects.push_back(Put("50pts", 0, 0));
    l.objects.push_back(Put("speed", 10, 1));
    return l;
}

// Level 7: stretches of track are already laid; each shot must join the next one, and a
// tempting stretch in the north-west leads nowhere.
LevelDesign JoinTheTrack() {
    LevelDesign l{"07_join_the_track.txt", 12, 9, {}, 0, 4, 'e', 7, 7, 'w', 4.0f};
    for (int x : {0, 1, 3, 4}) l.objects.push_back(Rails(x, 4, 0));
    l.objects.push_back(Corner(5, 4, 90));
    for (int y : {3, 2}) l.objects.push_back(Rails(5, y, 90));
    for (int x : {6, 7}) l.objects.push_back(Rails(x, 1, 0));
    l.objects.push_back(Corner(8, 1, 0));
    for (int y : {2, 3}) l.objects.push_back(Rails(8, y, 90));
    l.objects.push_back(Rails(9, 4, 0));
    l.objects.push_back(Corner(10, 4, 0));
    for (int y : {5, 6}) l.objects.push_back(Rails(10, y, 90));
    for (int x : {9, 8, 7}) l.objects.push_back(Rails(x, 7, 0));
    // The dead end: joined by a left turn at (5, 1), it runs west and down into nothing.
    for (int x : {4, 3}) l.objects.push_back(Rails(x, 1, 0));
    l.objects.push_back(Corner(2, 1, 270));
    l.objects.push_back(Rails(2, 2, 90));
    l.objects.push_back(Put("rrecht", 2, 7));
    l.objects.push_back(Put("rturn", 7, 3));
    l.objects.push_back(Put("lturn", 11, 2));
    l.objects.push_back(Put("rturn", 7, 5));
    l.objects.push_back(Put("100pts", 0, 0));
    l.objects.push_back(Put("50pts", 11, 8));
    l.objects.push_back(Put("50pts", 6, 6));
    l.objects.push_back(Put("speed", 3, 6));
    return l;
}

// Level 8: a long way round the yard past a station, shields and speed targets; seven shots,
// each with only some tiles of the route in clear sight.
LevelDesign TheYard() {
    LevelDesign l{"08_the_yard.txt", 12, 10, {}, 0, 8, 'n', 11, 4, 's', 3.5f};
    l.objects.push_back(Put("station", 2, 2));
    for (int y : {8, 7}) l.objects.push_back(Rails(0, y, 90));
    for (int x : {1, 2, 4}) l.objects.push_back(Rails(x, 6, 0));
    l.objects.push_back(Rails(5, 5, 90));
    for (int x : {6, 7}) l.objects.push_back(Rails(x, 4, 0));
    for (int y : {3, 2}) l.objects.push_back(Rails(8, y, 90));
    for (int x : {9, 10}) l.objects.push_back(Rails(x, 1, 0));
    for (int y : {2, 3, 4}) l.objects.push_back(Rails(11, y, 90));
    l.objects.push_back(Put("rturn", 2, 8));
    l.objects.push_back(Put("rrecht", 4, 8));
    l.objects.push_back(Put("speed", 3, 7));
    l.objects.push_back(Put("block", 6, 7));
    l.objects.push_back(Put("lturn", 7, 8));
    l.objects.push_back(Put("rturn", 10, 6));
    l.objects.push_back(Put("speed", 8, 6));
    l.objects.push_back(Put("lturn", 4, 0));
    l.objects.push_back(Put("rturn", 11, 8));
    l.objects.push_back(Put("rturn", 7, 0));
    l.objects.push_back(Put("speed", 9, 3));
    l.objects.push_back(Put("block", 10, 3));
    l.objects.push_back(Put("100pts", 0, 0));
    l.objects.push_back(Put("50pts", 10, 9));
    l.objects.push_back(Put("100pts", 9, 2));
    return l;
}

// Level 9: a switchback of ten gaps down and across the field, with laid stretches to join,
// a station in the south and the builders scattered where only some bends see them.
LevelDesign Switchback() {
    LevelDesign l{"09_switchback.txt", 14, 10, {}, 0, 1, 'e', 13, 8, 'e', 3.5f};
    l.objects.push_back(Put("station", 7, 8));
    for (int x : {0, 1, 3, 4}) l.objects.push_back(Rails(x, 1, 0));
    l.objects.push_back(Rails(5, 2, 90));
    l.objects.push_back(Rails(4, 3, 0));
    l.objects.push_back(Rails(3, 4, 90));
    for (int x : {4, 5, 6, 8}) l.objects.push_back(Rails(x, 5, 0));
    for (int y : {4, 3}) l.objects.push_back(Rails(9, y, 90));
    l.objects.push_back(Rails(10, 2, 0));
    for (int y : {3, 4, 5, 6, 7}) l.objects.push_back(Rails(11, y, 90));
    for (int x : {12, 13}) l.objects.push_back(Rails(x, 8, 0));
    l.objects.push_back(Put("rrecht", 2, 3));
    l.objects.push_back(Put("rturn", 7, 2));
    l.objects.push_back(Put("rturn", 0, 4));
    l.objects.push_back(Put("lturn", 1, 6));
    l.objects.push_back(Put("lturn", 4, 8));
    l.objects.push_back(Put("rrecht", 13, 5));
    l.objects.push_back(Put("lturn", 12, 0));
    l.objects.push_back(Put("rturn", 8, 0));
    l.objects.push_back(Put("rturn", 13, 3));
    l.objects.push_back(Put("lturn", 10, 9));
    l.objects.push_back(Put("speed", 1, 2));
    l.objects.push_back(Put("speed", 6, 3));
    l.objects.push_back(Put("speed", 10, 6));
    l.objects.push_back(Put("block", 7, 3));
    l.objects.push_back(Put("block", 12, 4));
    l.objects.push_back(Put("100pts", 0, 9));
    l.objects.push_back(Put("100pts", 13, 0));
    l.objects.push_back(Put("50pts", 7, 4));
    return l;
}

// Level 10: the grand tour of a wide field, two stations, shields, speed traps, a dead end to
// avoid and the track already laid in pieces; the train starts faster.
LevelDesign GrandTour() {
    LevelDesign l{"10_grand_tour.txt", 16, 11, {}, 0, 9, 'n', 15, 1, 'e', 3.0f};
    l.objects.push_back(Put("station", 3, 6));
    l.objects.push_back(Put("station", 12, 8));
    for (int y : {9, 8, 7, 5, 4}) l.objects.push_back(Rails(0, y, 90));
    for (int x : {1, 2, 4, 5}) l.objects.push_back(Rails(x, 3, 0));
    l.objects.push_back(Rails(6, 2, 90));
    for (int x : {7, 8}) l.objects.push_back(Rails(x, 1, 0));
    for (int y : {2, 3}) l.objects.push_back(Rails(9, y, 90));
    for (int x : {10, 12}) l.objects.push_back(Rails(x, 4, 0));
    for (int y : {3, 2}) l.objects.push_back(Rails(13, y, 90));
    for (int x : {14, 15}) l.objects.push_back(Rails(x, 1, 0));
    // The dead end: a straight piece at (9, 4) would run on south into nothing.
    for (int y : {5, 6}) l.objects.push_back(Rails(9, y, 90));
    l.objects.push_back(Put("rrecht", 1, 8));
    l.objects.push_back(Put("rturn", 2, 1));
    l.objects.push_back(Put("rrecht", 7, 5));
    l.objects.push_back(Put("lturn", 5, 0));
    l.objects.push_back(Put("rturn", 11, 0));
    l.objects.push_back(Put("rturn", 15, 5));
    l.objects.push_back(Put("lturn", 7, 9));
    l.objects.push_back(Put("rrecht", 14, 6));
    l.objects.push_back(Put("lturn", 7, 3));
    l.objects.push_back(Put("rturn", 15, 10));
    l.objects.push_back(Put("speed", 1, 5));
    l.objects.push_back(Put("speed", 8, 7));
    l.objects.push_back(Put("speed", 12, 2));
    l.objects.push_back(Put("block", 4, 1));
    l.objects.push_back(Put("block", 11, 2));
    l.objects.push_back(Put("block", 14, 4));
    l.objects.push_back(Put("100pts", 0, 0));
    l.objects.push_back(Put("100pts", 15, 9));
    l.objects.push_back(Put("50pts", 6, 7));
    l.objects.push_back(Put("50pts", 11, 5));
    return l;
}

}  // namespace

std::vector<LevelDesign> MakeLevels() {
    return {FirstShot(), RightThenLeft(), Coins(), MindTheSpeed(), Shields(), RoundTheStation(), JoinTheTrack(),
            TheYard(), Switchback(), GrandTour()};
}
