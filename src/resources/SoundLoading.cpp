#include "resources/ResourceCatalogue.h"

// Placeholder: loads no sounds yet.
int ResourceCatalogue::LoadSounds(int32_t) { return 0; }
