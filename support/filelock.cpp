#include "support/filelock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <thread>

namespace vantor {

std::unique_ptr<FileLock> FileLock::acquire(const std::string &lockPath, std::chrono::milliseconds timeout,
                                            std::string &error)
{
    const int fd = ::open(lockPath.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (fd < 0) {
        error = "Sperrdatei " + lockPath + " kann nicht geöffnet werden: " + std::strerror(errno);
        return nullptr;
    }
    // Polled rather than blocking: a blocking flock cannot be given a time
    // limit without signals, and the wait must end.
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    auto pause = std::chrono::milliseconds(1);
    for (;;) {
        if (::flock(fd, LOCK_EX | LOCK_NB) == 0)
            return std::unique_ptr<FileLock>(new FileLock(fd));
        if (errno != EWOULDBLOCK && errno != EINTR) {
            error = "Sperrdatei " + lockPath + " kann nicht gesperrt werden: " + std::strerror(errno);
            ::close(fd);
            return nullptr;
        }
        const auto now = std::chrono::steady_clock::now();
        if (now >= deadline) {
            const auto seconds = std::chrono::duration_cast<std::chrono::duration<double>>(timeout).count();
            error = "Sperrdatei " + lockPath + " ist nach " + std::to_string(int(seconds + 0.5))
                    + " Sekunden noch von einem anderen Programm gesperrt";
            ::close(fd);
            return nullptr;
        }
        std::this_thread::sleep_for(std::min<std::chrono::steady_clock::duration>(pause, deadline - now));
        pause = std::min(pause * 2, std::chrono::milliseconds(20));
    }
}

FileLock::~FileLock()
{
    ::flock(m_fd, LOCK_UN);
    ::close(m_fd);
}

} // namespace vantor
