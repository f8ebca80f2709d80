#pragma once

struct Matrix4;
class RenderDevice;
class ResourceCatalogue;
class Level;

// Draws every subset of the catalogue's model `name` on device with the current world
// transform: the subset's material, its texture (none when its name is empty), then the subset.
// A name without a mesh draws nothing.
void DrawCatalogueModel(RenderDevice* device, ResourceCatalogue* catalogue, const char* name);

// The same through g_device and g_catalogue.
void DrawModel(const char* name);

// Limits what Level::Draw draws to the objects whose bounding spheres may show through
// viewProjection (the frame's view times its projection); null draws every object again.
void SetFrameView(const Matrix4* viewProjection);

// What Level::Draw draws, in two steps: every object but "blocked" (culled as SetFrameView says),
// then the train.
void DrawLevelObjects(Level& level);
void DrawLevelTrain(Level& level);
