#pragma once

// One loaded sound. Placeholder until the sound device exists.
class CSound {
public:
    virtual ~CSound() = default;
};
