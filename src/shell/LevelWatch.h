#pragma once
#include <cstdint>
#include <filesystem>

// Watches the file of the level in play (--watch), for a level author editing it beside the game.
class LevelFileWatch {
public:
    // From now on KeepLevelFresh watches the file of the level in play.
    void Start() { watching_ = true; }
    // Once a frame: when the file of the level in play has changed on disk since the level started
    // (or since the last look) and it loads, starts the level again from the file; when it no
    // longer loads, the level in play stays and the head-up display shows the checker's first
    // error until the file loads again. Does nothing until Start.
    void KeepLevelFresh();

    // When and how large a file was last seen, and whether it was there.
    struct FileStamp {
        std::filesystem::file_time_type time{};
        uintmax_t size = 0;
        bool exists = false;
        bool operator==(const FileStamp&) const = default;
    };

private:
    bool watching_ = false;
    uint64_t watchedStart_ = 0;  // LevelStartCount() of the level whose file is watched
    FileStamp seen_;
};
