// The rules' cost per frame against the size of the level, and the checker's cost against the
// length of a level file. Built with the project, run by hand (see bench/README.md).
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "LevelTool.h"
#include "level/Level.h"
#include "level/Tiles.h"
#include "resources/ResourceCatalogue.h"
#include "rules/UpdateGame.h"

namespace {

// A square level holding `objects` targets and track pieces, one per tile, and bullets flying
// over it above the targets' reach, so every frame tests them and nothing changes.
struct Field {
    ResourceCatalogue catalogue{nullptr, nullptr};
    std::unique_ptr<Level> level;
    std::vector<Bullet> start;

    Field(int64_t objects, int64_t bullets, bool scan) {
        for (const char* name : {"rturn", "lturn", "rrecht", "50pts", "100pts", "speed", "block"})
            catalogue.models[name].boundRadius = 2.0f;
        catalogue.models["bullet"].boundRadius = 1.0f;
        level = std::make_unique<Level>(nullptr, &catalogue, "");
        const auto side = static_cast<int32_t>(std::ceil(std::sqrt(static_cast<double>(objects))));
        level->width = level->height = side;
        static const char* kinds[] = {"rturn", "50pts", "rails", "block", "speed", "tree", "100pts", "lturn"};
        for (int64_t i = 0; i < objects; ++i) {
            LevelObject o;
            o.name = kinds[i % 8];
            o.x = static_cast<int32_t>(i % side);
            o.y = static_cast<int32_t>(i / side);
            level->objects.push_back(o);
        }
        level->speed = 1.0e9f;  // the train stands still
        level->scanObjects = scan;
        // The bullets fly across the middle of the field, 20 units up (targets reach 3).
        const float middle = TileCentre(side / 2);
        for (int64_t b = 0; b < bullets; ++b)
            start.emplace_back(Vec3(middle + static_cast<float>(b % 10) * 3.0f, middle + static_cast<float>(b / 10) * 3.0f, 20.0f),
                               Vec3(1.0f, 0.0f, 0.0f), 30.0f, level.get(), &catalogue, nullptr);
    }
};

// Arguments: objects, bullets, 1 to walk the whole list for every shot (the old way).
void BM_RulesFrame(benchmark::State& state) {
    Field field(state.range(0), state.range(1), state.range(2) != 0);
    std::vector<Bullet> bullets = field.start;
    int frame = 0;
    for (auto _ : state) {
        UpdateLevel(*field.level, bullets, 1.0f / 60.0f);
        // Bring the bullets back before they run out of range (a copy of 100 small records).
        if (++frame == 500) {
            state.PauseTiming();
            bullets = field.start;
            frame = 0;
            state.ResumeTiming();
        }
    }
    state.counters["objects"] = static_cast<double>(field.level->objects.size());
}
BENCHMARK(BM_RulesFrame)
    ->ArgsProduct({{500, 4100, 40000}, {0, 100}, {0}})
    ->Args({4100, 100, 1})
    ->Args({4100, 0, 1})
    ->Unit(benchmark::kMicrosecond);

// A level file of a straight chain of `rails` from the start to the finish, written once.
std::string ChainFile(int64_t rails) {
    const auto path = std::filesystem::temp_directory_path() / ("tracklet-bench-chain-" + std::to_string(rails) + ".txt");
    if (std::filesystem::exists(path)) return path.string();
    std::ofstream out(path);
    out << "style standard\nheight 3\nwidth " << rails + 2 << "\ncamera_data 0 0 0 0 0 1 0 1 0 1 0 0\nobjects " << rails << "\n";
    for (int64_t x = 1; x <= rails; ++x) out << x << " 1 rails 1 0\n";
    out << "start 0 1 e\nfinish " << rails << " 1 e\nspeed 1\n";
    return path.string();
}

// Loading a chain and checking it with the level tool (without a data folder's models).
void BM_CheckChain(benchmark::State& state) {
    const std::string file = ChainFile(state.range(0));
    for (auto _ : state) {
        std::ostringstream out;
        benchmark::DoNotOptimize(RunCheck({file}, false, nullptr, out));
    }
    state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_CheckChain)->Arg(40000)->Arg(80000)->Arg(160000)->Unit(benchmark::kMillisecond)->Complexity();

}  // namespace

BENCHMARK_MAIN();
