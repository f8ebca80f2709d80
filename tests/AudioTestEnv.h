#pragma once
// Environment helpers for tests that open a real SDL audio device.
#include <cstdlib>
#include <optional>
#include <string>

// Sets an environment variable for the life of the object, then puts back what was there.
class ScopedEnv {
public:
    ScopedEnv(const char* name, const std::string& value) : name(name) {
        if (const char* old = std::getenv(name)) previous = old;
        setenv(name, value.c_str(), 1);
    }
    ~ScopedEnv() {
        if (previous) setenv(name, previous->c_str(), 1);
        else unsetenv(name);
    }

private:
    const char* name;
    std::optional<std::string> previous;
};
