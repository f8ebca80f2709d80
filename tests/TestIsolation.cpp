// Every test starts as a fresh process would: after each one the game's globals go back to their
// start-up values, the media subsystems are ended, and the current directory and the environment
// are put back. Each test gets a temporary folder of its own as TMPDIR, removed with everything
// in it when the test ends, so tests leave no files behind and cannot see each other's.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <vector>

#include "platform/PlatformReset.h"
#include "shell/MainLoop.h"
#include "state/GameStateReset.h"

extern char** environ;

namespace {

class Isolation : public testing::EmptyTestEventListener {
    void OnTestStart(const testing::TestInfo&) override {
        directory_ = std::filesystem::current_path();
        environment_.clear();
        for (char** e = environ; *e; ++e) environment_.emplace_back(*e);
        std::string pattern = (std::filesystem::temp_directory_path() / "tracklet-test-XXXXXX").string();
        temp_ = mkdtemp(pattern.data()) ? pattern : std::string();
        if (!temp_.empty()) {
            setenv("TMPDIR", temp_.c_str(), 1);
            setenv("TEST_TMPDIR", (temp_ + "/").c_str(), 1);
        }
    }

    void OnTestEnd(const testing::TestInfo&) override {
        ResetMainLoop();
        ResetGameState();
        ResetPlatform();
        std::error_code ignored;
        std::filesystem::current_path(directory_, ignored);
        clearenv();
        for (const std::string& entry : environment_) {
            const size_t eq = entry.find('=');
            setenv(entry.substr(0, eq).c_str(), entry.substr(eq + 1).c_str(), 1);
        }
        if (!temp_.empty()) std::filesystem::remove_all(temp_, ignored);
    }

    std::filesystem::path directory_;
    std::vector<std::string> environment_;
    std::string temp_;
};

// Registered before main runs, so it wraps every test of every run, repeats included.
[[maybe_unused]] const bool registered = [] {
    testing::UnitTest::GetInstance()->listeners().Append(new Isolation);
    return true;
}();

}  // namespace
