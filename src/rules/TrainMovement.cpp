#include "level/Level.h"
#include "level/Tiles.h"

void Level::AdvanceTrain(float dt) {
    stepTimer += dt;
    if (stepTimer < speed) return;
    // The time beyond one step is dropped: a long frame still moves the train one tile.
    stepTimer = 0.0f;

    int32_t nx, ny;
    StepFrom(trainX, trainY, trainHeading, &nx, &ny);
    // Off the grid loses, but the tile is still looked at, as track may lie there.
    if (!InsideGrid(nx, ny)) lost = true;

    const LevelObject next = ObjectAt(nx, ny);
    if (next.removed) {
        lost = true;
        return;
    }
    if (next.name == "rails" || next.name == "railscorner") {
        // A piece that does not join the side the train comes from gives 'x': the train stands
        // on it from then on, neither winning nor losing unless it is the finish.
        trainHeading = ExitHeading(next, trainHeading);
        trainX = next.x;
        trainY = next.y;
        if (trainX == finishX && trainY == finishY) won = true;
    } else {
        lost = true;
    }
}
