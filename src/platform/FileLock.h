#pragma once
#include <string>

// An exclusive advisory lock (flock) on the file at `path`, made when missing, held while the
// object lives: processes that take the same lock run one after another. Blocks until granted.
class FileLock {
public:
    explicit FileLock(const std::string& path);
    ~FileLock();
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;

    // False when the lock file could not be opened or locked (an unwritable folder): the caller
    // then goes on unlocked, as there is no other process it could be guarding against there.
    bool Held() const { return fd_ >= 0; }

private:
    int fd_ = -1;
};
