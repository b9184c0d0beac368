#pragma once

// An advisory lock on a lock file (flock), for a step that processes of the
// same user must not enter at the same time: a plug-in library writes the
// picture file and the viewer reads it right after, and two viewers (or a
// viewer and the report tool) share that one file.

#include <chrono>
#include <memory>
#include <string>

namespace vantor {

class FileLock
{
public:
    // Takes the exclusive lock on lockPath (created when missing), waiting at
    // most timeout. Null when the lock cannot be had in that time or the lock
    // file cannot be opened; error then says why (German, for the missing-class
    // list). Never blocks longer than timeout.
    static std::unique_ptr<FileLock> acquire(const std::string &lockPath, std::chrono::milliseconds timeout,
                                             std::string &error);

    ~FileLock(); // releases the lock
    FileLock(const FileLock &) = delete;
    FileLock &operator=(const FileLock &) = delete;

private:
    explicit FileLock(int fd) : m_fd(fd) {}
    int m_fd;
};

} // namespace vantor
