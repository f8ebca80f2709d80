#include "platform/MappedFile.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>

MappedFile::~MappedFile() { Close(); }

void MappedFile::Close() {
    if (map_) munmap(map_, mapBytes_);
    map_ = nullptr;
    mapBytes_ = 0;
    buffer_.clear();
    text_ = {};
}

bool MappedFile::Open(const std::string& path, size_t limit) {
    Close();
    const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return false;
    struct stat info {};
    if (fstat(fd, &info) == 0 && S_ISREG(info.st_mode) && info.st_size > 0) {
        const size_t bytes = std::min(static_cast<size_t>(info.st_size), limit);
        // Populated at once: one pass over the page cache instead of a fault every few pages.
        void* map = mmap(nullptr, bytes, PROT_READ, MAP_PRIVATE | MAP_POPULATE, fd, 0);
        if (map != MAP_FAILED) {
            madvise(map, bytes, MADV_SEQUENTIAL);
            map_ = map;
            mapBytes_ = bytes;
            text_ = std::string_view(static_cast<const char*>(map), bytes);
            close(fd);
            return true;
        }
    }
    // A pipe or a device may stream without end: read up to the limit. A folder opens but reads
    // nothing, as an empty file.
    char chunk[65536];
    while (buffer_.size() < limit) {
        const ssize_t got = read(fd, chunk, std::min(sizeof chunk, limit - buffer_.size()));
        if (got < 0 && errno == EINTR) continue;
        if (got <= 0) break;
        buffer_.append(chunk, static_cast<size_t>(got));
    }
    close(fd);
    text_ = buffer_;
    return true;
}
