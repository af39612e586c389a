#pragma once
// Another process that holds a file (or a folder) open under an exclusive
// lock, as a program does that has the file open; the lock ends with this
// object.
#include <fcntl.h>
#include <sys/file.h>
#include <sys/wait.h>
#include <unistd.h>
#include <cerrno>

#include <stdexcept>
#include <string>

class LockHolder {
public:
    explicit LockHolder(const std::string& path) {
        int ready[2];
        int release[2];
        if (::pipe(ready) != 0 || ::pipe(release) != 0) throw std::runtime_error("pipe failed");
        child_ = ::fork();
        if (child_ < 0) throw std::runtime_error("fork failed");
        if (child_ == 0) {
            // Only the parent may hold the release pipe's writing end, or the
            // child would never see it closed.
            ::close(release[1]);
            ::close(ready[0]);
            int fd = ::open(path.c_str(), O_RDWR | O_CREAT, 0644);
            // A folder is locked through a descriptor that only reads it.
            if (fd < 0 && errno == EISDIR) fd = ::open(path.c_str(), O_RDONLY | O_DIRECTORY);
            const char ok = (fd >= 0 && ::flock(fd, LOCK_EX) == 0) ? '1' : '0';
            (void)!::write(ready[1], &ok, 1);
            char ignored;
            (void)!::read(release[0], &ignored, 1);
            ::_exit(0);
        }
        ::close(ready[1]);
        ::close(release[0]);
        release_ = release[1];
        char ok = '0';
        const bool locked = ::read(ready[0], &ok, 1) == 1 && ok == '1';
        ::close(ready[0]);
        if (!locked) throw std::runtime_error("the other process could not lock " + path);
    }
    ~LockHolder() {
        ::close(release_);  // the child's read returns, it exits and its lock goes
        ::waitpid(child_, nullptr, 0);
    }
    LockHolder(const LockHolder&) = delete;
    LockHolder& operator=(const LockHolder&) = delete;

private:
    pid_t child_ = -1;
    int release_ = -1;
};
