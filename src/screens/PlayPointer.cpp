#include "screens/PlayPointer.h"

#include "graphics/Picking.h"
#include "profile/ReplayRecorder.h"
#include "rules/Firing.h"
#include "state/GameState.h"

void PointAtPixel(int32_t x, int32_t y, bool fire) {
    // No level or no device: nothing to pick against yet.
    if (!g_level || !g_device || !MouseMayAct()) return;
    Vec3 hit;
    if (!PickFloorPoint(x, y, &hit)) {
        // A ray along the floor: the pointer goes to the origin and nothing is fired.
        g_pointer = Vec3(0.0f, 0.0f, 0.0f);
        return;
    }
    g_pointer = hit;
    if (fire) {
        RecordShot(hit);
        FireBullet(hit);
    }
}
