#include "platform/AtomicFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstdio>

bool ReplaceFile(const std::string& path, const std::string& contents) {
    const size_t slash = path.rfind('/');
    const std::string folder = slash == std::string::npos ? "" : path.substr(0, slash + 1);
    std::string temporary = folder + ".tracklet-XXXXXX";
    const int fd = mkstemp(temporary.data());
    if (fd < 0) return false;
    // Writing past a file-size limit raises SIGXFSZ, which would end the game; the failed write
    // is reported by its result instead.
    void (*previous)(int) = std::signal(SIGXFSZ, SIG_IGN);
    bool ok = true;
    for (size_t done = 0; ok && done < contents.size();) {
        const ssize_t n = write(fd, contents.data() + done, contents.size() - done);
        if (n < 0 && errno == EINTR) continue;
        ok = n > 0;
        if (ok) done += static_cast<size_t>(n);
    }
    std::signal(SIGXFSZ, previous == SIG_ERR ? SIG_DFL : previous);
    // The temporary is made owner-only; the file it replaces gets the usual permissions.
    ok = ok && fchmod(fd, 0644) == 0 && fsync(fd) == 0;
    ok = close(fd) == 0 && ok;
    ok = ok && std::rename(temporary.c_str(), path.c_str()) == 0;
    if (!ok) {
        unlink(temporary.c_str());
        return false;
    }
    // The new name is on disk once the folder is synced; the file itself already is, so a
    // failure here loses nothing and is not reported.
    const int folderFd = open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY);
    if (folderFd >= 0) {
        fsync(folderFd);
        close(folderFd);
    }
    return true;
}
