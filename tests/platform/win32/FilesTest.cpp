#include "platform/win32/Files.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/wait.h>
#include <unistd.h>
#include <filesystem>
#include <string>

#include "tests/support/TempFolder.h"

using namespace win32;

namespace {

// A fresh folder holding a file "file.txt", a read-only file "readonly.txt"
// and a folder "sub".
class FilesTest : public testing::Test {
protected:
    void SetUp() override {
        folder.write("file.txt", "x");
        folder.write("readonly.txt", "x");
        std::filesystem::permissions(folder.path("readonly.txt"), std::filesystem::perms(0444));
        std::filesystem::create_directory(folder.path("sub"));
    }

    TempFolder folder;
};

TEST_F(FilesTest, PathFileExistsForFilesAndFolders) {
    const struct {
        std::string path;
        BOOL expected;
    } cases[] = {
        {folder.path("file.txt"), TRUE},
        {folder.path("sub"), TRUE},
        {folder.windowsPath("sub") + "\\", TRUE},
        {folder.windowsPath("file.txt"), TRUE},
        {folder.path("missing.txt"), FALSE},
        {folder.path("file.txt/x"), FALSE},
        {"", FALSE},
    };
    for (const auto& c : cases) EXPECT_EQ(PathFileExistsA(c.path), c.expected) << c.path;
}

TEST_F(FilesTest, DeleteFileFailsWhereWindowsFails) {
    const struct {
        const char* what;
        std::string path;
        BOOL expected;
        DWORD error;
    } cases[] = {
        {"missing file", folder.path("missing.txt"), FALSE, ERROR_FILE_NOT_FOUND},
        {"missing folder", folder.path("nofolder/missing.txt"), FALSE, ERROR_PATH_NOT_FOUND},
        {"file as folder", folder.path("file.txt/missing.txt"), FALSE, ERROR_PATH_NOT_FOUND},
        {"empty path", "", FALSE, ERROR_PATH_NOT_FOUND},
        {"folder", folder.path("sub"), FALSE, ERROR_ACCESS_DENIED},
        {"read-only file", folder.path("readonly.txt"), FALSE, ERROR_ACCESS_DENIED},
        {"file", folder.windowsPath("file.txt"), TRUE, ERROR_SUCCESS},
    };
    for (const auto& c : cases) {
        // The test beforehand answers as the deletion will, and deletes nothing.
        SetLastError(ERROR_SUCCESS);
        const bool existed = std::filesystem::exists(hostPath(c.path));
        EXPECT_EQ(CanDeleteFileA(c.path), c.expected) << c.what;
        EXPECT_EQ(GetLastError(), c.error) << c.what;
        EXPECT_EQ(std::filesystem::exists(hostPath(c.path)), existed) << c.what;
        SetLastError(ERROR_SUCCESS);
        EXPECT_EQ(DeleteFileA(c.path), c.expected) << c.what;
        EXPECT_EQ(GetLastError(), c.error) << c.what;
    }
    EXPECT_EQ(folder.names(), (std::set<std::string>{"readonly.txt", "sub"}));
}

enum class LockKind { Flock, Fcntl };

// A child process that holds a lock on a file until it is told to let go.
class LockingProcess {
public:
    LockingProcess(const std::string& path, LockKind kind) {
        int ready[2];
        int release[2];
        if (::pipe(ready) != 0 || ::pipe(release) != 0) return;
        m_pid = ::fork();
        if (m_pid == 0) {
            // Only the parent may hold the release pipe's writing end, or
            // the child would never see it closed.
            ::close(release[1]);
            int fd = ::open(path.c_str(), O_RDWR);
            struct flock lock {};
            lock.l_type = F_WRLCK;
            lock.l_whence = SEEK_SET;
            bool locked =
                fd >= 0 && (kind == LockKind::Flock ? ::flock(fd, LOCK_EX) : ::fcntl(fd, F_SETLK, &lock)) == 0;
            char signal = locked ? 'y' : 'n';
            (void)::write(ready[1], &signal, 1);
            (void)::read(release[0], &signal, 1);
            ::_exit(0);
        }
        ::close(ready[1]);
        ::close(release[0]);
        m_ready = ready[0];
        m_release = release[1];
    }

    ~LockingProcess() {
        ::close(m_release);
        ::close(m_ready);
        if (m_pid > 0) ::waitpid(m_pid, nullptr, 0);
    }

    LockingProcess(const LockingProcess&) = delete;
    LockingProcess& operator=(const LockingProcess&) = delete;

    bool locked() const {
        char signal = 'n';
        return m_pid > 0 && ::read(m_ready, &signal, 1) == 1 && signal == 'y';
    }

private:
    pid_t m_pid = -1;
    int m_ready = -1;
    int m_release = -1;
};

TEST_F(FilesTest, DeleteFileFailsOnAFileLockedByAnotherProcess) {
    for (auto kind : {LockKind::Flock, LockKind::Fcntl}) {
        const auto what = kind == LockKind::Flock ? "flock" : "fcntl";
        folder.write("locked.txt", "x");
        {
            LockingProcess holder(folder.path("locked.txt"), kind);
            ASSERT_TRUE(holder.locked()) << what;
            SetLastError(ERROR_SUCCESS);
            EXPECT_EQ(CanDeleteFileA(folder.path("locked.txt")), FALSE) << what;
            EXPECT_EQ(GetLastError(), ERROR_SHARING_VIOLATION) << what;
            SetLastError(ERROR_SUCCESS);
            EXPECT_EQ(DeleteFileA(folder.path("locked.txt")), FALSE) << what;
            EXPECT_EQ(GetLastError(), ERROR_SHARING_VIOLATION) << what;
            EXPECT_TRUE(std::filesystem::exists(folder.path("locked.txt"))) << what;
        }
        EXPECT_EQ(DeleteFileA(folder.path("locked.txt")), TRUE) << what;
        EXPECT_FALSE(std::filesystem::exists(folder.path("locked.txt"))) << what;
    }
}

}  // namespace
