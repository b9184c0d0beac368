// The advisory lock that makes a plug-in call and the read of its picture one
// step across processes: held by another process it is not had (within the
// time limit, which bounds the wait), and it is had once that process lets go
// or ends.

#include "support/filelock.h"
#include "tempdir.h"

#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <string>

using namespace vantor;
using namespace std::chrono;

namespace {

// A second process that takes the lock, says so on a pipe, and holds it
// until told to let go (or, with exitHolding, ends while holding it).
class OtherProcess
{
public:
    OtherProcess(const std::string &lockPath, bool exitHolding)
    {
        if (::pipe(m_ready) != 0 || ::pipe(m_release) != 0)
            ADD_FAILURE() << "pipe";
        m_pid = ::fork();
        if (m_pid == 0) {
            std::string error;
            auto lock = FileLock::acquire(lockPath, seconds(5), error);
            const char ok = lock ? '1' : '0';
            (void)!::write(m_ready[1], &ok, 1);
            char c;
            (void)!::read(m_release[0], &c, 1);
            if (exitHolding)
                ::_exit(0); // the system lets go of a dead process's lock
            lock.reset();
            (void)!::write(m_ready[1], &ok, 1);
            ::_exit(0);
        }
        char ok = 0;
        EXPECT_EQ(::read(m_ready[0], &ok, 1), 1);
        EXPECT_EQ(ok, '1');
    }
    void release()
    {
        const char c = 'x';
        EXPECT_EQ(::write(m_release[1], &c, 1), 1);
    }
    void waitReleased()
    {
        char c;
        EXPECT_EQ(::read(m_ready[0], &c, 1), 1);
    }
    ~OtherProcess()
    {
        int status = 0;
        ::waitpid(m_pid, &status, 0);
        for (int fd : {m_ready[0], m_ready[1], m_release[0], m_release[1]})
            ::close(fd);
    }

private:
    pid_t m_pid = -1;
    int m_ready[2] = {-1, -1};
    int m_release[2] = {-1, -1};
};

} // namespace

TEST(FileLock, AnotherProcessHoldingItMakesTheWaitEndWithAnError)
{
    TempDir dir;
    const std::string lockPath = dir.file("PlugInPicture.png.lock");
    {
        OtherProcess other(lockPath, false);
        std::string error;
        const auto start = steady_clock::now();
        EXPECT_EQ(FileLock::acquire(lockPath, milliseconds(300), error), nullptr);
        const auto waited = steady_clock::now() - start;
        EXPECT_GE(waited, milliseconds(300));
        EXPECT_LT(waited, seconds(3));
        EXPECT_NE(error.find(lockPath), std::string::npos) << error;
        EXPECT_NE(error.find("gesperrt"), std::string::npos) << error;

        // Let go while this one waits: the wait ends with the lock.
        other.release();
        error.clear();
        EXPECT_NE(FileLock::acquire(lockPath, seconds(5), error), nullptr) << error;
        other.waitReleased();
    }
    {
        OtherProcess other(lockPath, true);
        other.release(); // ends while holding it
        std::string error;
        EXPECT_NE(FileLock::acquire(lockPath, seconds(5), error), nullptr) << error;
    }
}

TEST(FileLock, IsHadAgainAfterItsHolderLetsGoAndFailsOnAFolderItCannotCreateIn)
{
    TempDir dir;
    const std::string lockPath = dir.file("x.lock");
    std::string error;
    {
        auto first = FileLock::acquire(lockPath, milliseconds(100), error);
        ASSERT_NE(first, nullptr) << error;
    }
    EXPECT_NE(FileLock::acquire(lockPath, milliseconds(100), error), nullptr) << error;

    error.clear();
    EXPECT_EQ(FileLock::acquire(dir.file("absent/x.lock"), milliseconds(100), error), nullptr);
    EXPECT_NE(error.find("kann nicht geöffnet werden"), std::string::npos) << error;
}
