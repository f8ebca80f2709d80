#pragma once
// A game state on a recording device for tests of the drawing and the shell: a catalogue filled
// by hand and a level read from no file.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "graphics/GraphicsErrors.h"
#include "level/Level.h"
#include "platform/RecordingDevice.h"
#include "resources/ResourceCatalogue.h"
#include "state/GameState.h"
#include "state/GameStateReset.h"

class GameFixture : public ::testing::Test {
protected:
    RecordingDevice device{1024, 768};
    ResourceCatalogue catalogue{nullptr, nullptr};
    std::vector<std::string> errors;  // the texts of error boxes shown, in order

    void SetUp() override {
        ResetGameState();
        SetErrorBoxForTesting([this](const std::string& text) {
            errors.push_back(text);
            return 1;
        });
        g_device = &device;
        g_catalogue = &catalogue;
        g_level = std::make_unique<Level>(&device, &catalogue, "no such level file");
        g_level->width = g_level->height = 3;
        device.CreateFont(FontDesc{}, &g_font);
    }
    void TearDown() override {
        SetErrorBoxForTesting(nullptr);
        ResetGameState();
    }

    // The start-up state with every screen flag off and no font.
    static void ResetGameState() {
        delete g_font;
        ::ResetGameState();
        g_showTitleMenu = g_showGrid = false;
    }

    // A model whose subset i has material id firstMaterial + i and texture name textures[i];
    // its mesh reads as the model's name in the recorded calls.
    Model& AddModel(const std::string& name, std::vector<std::string> textures = {""}, uint32_t firstMaterial = 0) {
        Model& model = catalogue.models[name];
        model.mesh = std::make_unique<MeshData>();
        for (size_t i = 0; i < textures.size(); ++i) {
            model.mesh->subsets.push_back(MeshSubset{});
            model.materialIds.push_back(firstMaterial + static_cast<uint32_t>(i));
            model.textureNames.push_back(textures[i]);
        }
        device.NameMesh(model.mesh.get(), name);
        return model;
    }

    static Material ColourMaterial(float r, float g, float b) {
        Material m{};
        m.diffuse = m.ambient = Color4(r, g, b, 1.0f);
        m.power = 10.0f;
        return m;
    }
};
