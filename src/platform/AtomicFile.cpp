#include "platform/AtomicFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#ifdef __EMSCRIPTEN__
#include "platform/web/WebStorage.h"
#endif

namespace {
// Makes the file's bytes durable. In the browser the file system is a copy in memory and its
// fsync suspends the whole program until the page's storage is written, which a frame must never
// do (the suspension cannot cross the screens' calls): there PersistWebStorage keeps the files.
bool SyncToDisk(int fd) {
#ifdef __EMSCRIPTEN__
    (void)fd;
    return true;
#else
    return fsync(fd) == 0;
#endif
}
}  // namespace

bool ReplaceFile(const std::string& file, const std::string& contents, std::string* why) {
    // A symbolic link keeps pointing at the file it named, and that file keeps its permissions;
    // anything but a regular file (a device, a pipe) is never replaced by one.
    std::string path = file;
    mode_t mode = 0644;
    if (char resolved[PATH_MAX]; realpath(file.c_str(), resolved)) {
        struct stat st {};
        if (stat(resolved, &st) == 0 && !S_ISREG(st.st_mode)) {
            if (why) *why = "not a regular file";
            return false;
        }
        path = resolved;
        mode = st.st_mode & 07777;
    }
    const size_t slash = path.rfind('/');
    const std::string folder = slash == std::string::npos ? "" : path.substr(0, slash + 1);
    std::string temporary = folder + ".tracklet-XXXXXX";
    const int fd = mkstemp(temporary.data());
    if (fd < 0) {
        if (why) *why = std::strerror(errno);
        return false;
    }
    // Writing past a file-size limit raises SIGXFSZ, which would end the game; the failed write
    // is reported by its result instead.
    void (*previous)(int) = std::signal(SIGXFSZ, SIG_IGN);
    errno = 0;
    bool ok = true;
    for (size_t done = 0; ok && done < contents.size();) {
        const ssize_t n = write(fd, contents.data() + done, contents.size() - done);
        if (n < 0 && errno == EINTR) continue;
        ok = n > 0;
        if (ok) done += static_cast<size_t>(n);
    }
    std::signal(SIGXFSZ, previous == SIG_ERR ? SIG_DFL : previous);
    // The temporary is made owner-only; the new file gets the old one's permissions, or the usual.
    ok = ok && fchmod(fd, mode) == 0 && SyncToDisk(fd);
    ok = close(fd) == 0 && ok;
    ok = ok && std::rename(temporary.c_str(), path.c_str()) == 0;
    if (!ok) {
        if (why) *why = errno == 0 ? "cannot be written" : std::strerror(errno);
        unlink(temporary.c_str());
        return false;
    }
    // The new name is on disk once the folder is synced; the file itself already is, so a
    // failure here loses nothing and is not reported.
    const int folderFd = open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY);
    if (folderFd >= 0) {
        SyncToDisk(folderFd);
        close(folderFd);
    }
#ifdef __EMSCRIPTEN__
    // In the browser the folder is a copy in memory: the new file is kept once it is copied to
    // the page's persistent storage.
    PersistWebStorage();
#endif
    return true;
}
