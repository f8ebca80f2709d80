#include "resources/ResourceCatalogue.h"

// Placeholder: loads no textures yet.
int ResourceCatalogue::LoadTextures(int32_t) { return 0; }
