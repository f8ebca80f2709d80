// tracklet-content: writes the game's synthesized content (the style table, and the style's models,
// menu screens, textures, sounds, music and their lists) into a data folder. Everything is computed
// from fixed seeds, so a second run writes the same bytes. The levels and levels.txt are authored
// by hand and are not written here.
#include <CLI/CLI.hpp>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "Audio.h"
#include "Menus.h"
#include "Models.h"
#include "Textures.h"
#include "XFile.h"

namespace fs = std::filesystem;

namespace {

constexpr const char* kStyleFolder = "standard";

bool WriteFile(const fs::path& path, const std::string& text) {
    std::ofstream f(path, std::ios::binary);
    f << text;
    if (!f) std::fprintf(stderr, "tracklet-content: cannot write %s\n", path.string().c_str());
    return static_cast<bool>(f);
}

bool WriteBytes(const fs::path& path, const std::vector<unsigned char>& bytes) {
    std::ofstream f(path, std::ios::binary);
    f.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    if (!f) std::fprintf(stderr, "tracklet-content: cannot write %s\n", path.string().c_str());
    return static_cast<bool>(f);
}

}  // namespace

int main(int argc, char** argv) {
    CLI::App app{"Writes the shipped game content into a data folder"};
    std::string out = "data", icon;
    app.add_option("output", out, "the data folder to write (created if missing)");
    app.add_option("--icon", icon, "write only the application icon, a 256 by 256 PNG, to FILE")->type_name("FILE");
    CLI11_PARSE(app, argc, argv);
    if (!icon.empty()) {
        if (MakeIcon().SavePng(icon)) return 0;
        std::fprintf(stderr, "tracklet-content: cannot write %s\n", icon.c_str());
        return 1;
    }

    const fs::path root(out), style = root / kStyleFolder;
    std::error_code ec;
    for (const fs::path& dir : {style / "models", style / "textures", style / "sounds"}) {
        fs::create_directories(dir, ec);
        if (ec) {
            std::fprintf(stderr, "tracklet-content: cannot create %s: %s\n", dir.string().c_str(), ec.message().c_str());
            return 1;
        }
    }
    bool ok = WriteFile(root / "styles.txt", std::string("0 ") + kStyleFolder + "\n");

    std::vector<NamedModel> models = MakeModels();
    std::vector<NamedImage> textures = MakeTextures();
    for (MenuScreen& menu : MakeMenus()) {
        models.push_back({menu.name, menu.name + ".x", std::move(menu.model)});
        textures.push_back({menu.textureName, std::move(menu.image)});
    }
    std::string modelList, textureList, soundList;
    for (const NamedModel& m : models) {
        ok &= WriteFile(style / "models" / m.fileName, XFileText(m.mesh, "mesh_" + m.name));
        modelList += m.name + " " + m.fileName + "\n";
    }
    for (const NamedImage& t : textures) {
        if (!t.image.SavePng((style / "textures" / t.fileName).string())) {
            std::fprintf(stderr, "tracklet-content: cannot write texture %s\n", t.fileName.c_str());
            ok = false;
        }
        textureList += t.fileName + "\n";
    }
    std::vector<NamedSound> sounds;
    sounds.push_back({"blues", "blues.wav", MakeBlues()});
    for (NamedSound& s : MakeEffects()) sounds.push_back(std::move(s));
    for (const NamedSound& s : sounds) {
        ok &= WriteBytes(style / "sounds" / s.fileName, WavBytes(s.samples));
        soundList += s.name + " " + s.fileName + "\n";
    }
    ok &= WriteFile(style / "models.txt", modelList);
    ok &= WriteFile(style / "textures.txt", textureList);
    ok &= WriteFile(style / "sounds.txt", soundList);
    return ok ? 0 : 1;
}
