#include "resources/ResourceCatalogue.h"

// Placeholder: loads no models yet.
int ResourceCatalogue::LoadModels(int32_t) { return 0; }
