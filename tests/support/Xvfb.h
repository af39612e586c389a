#pragma once
// A desktop of the test's own: an X server (Xvfb picks a free display number
// and tells it through -displayfd, so that tests running side by side never
// share a display or take one that another program owns) with a window
// manager (openbox), which gives each new window the keyboard focus as a
// user's desktop does. Both end with the object.
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <stdexcept>
#include <string>
#include <thread>

class Xvfb {
public:
    Xvfb() {
        int pipe[2];
        if (::pipe(pipe) != 0) throw std::runtime_error("pipe failed");
        const std::string fd = std::to_string(pipe[1]);
        pid_ = ::fork();
        if (pid_ == 0) {
            // The server ends with the test, also when the test crashes.
            ::prctl(PR_SET_PDEATHSIG, SIGTERM);
            ::close(pipe[0]);
            const int null = ::open("/dev/null", O_RDWR);
            ::dup2(null, STDOUT_FILENO);
            ::dup2(null, STDERR_FILENO);
            ::execlp("Xvfb", "Xvfb", "-displayfd", fd.c_str(), "-screen", "0", "1280x1024x24", "-nolisten", "tcp",
                     static_cast<char*>(nullptr));
            ::_exit(127);
        }
        ::close(pipe[1]);
        display_ = ":" + readNumber(pipe[0]);
        ::close(pipe[0]);
        if (display_ == ":") {
            stop();
            throw std::runtime_error("Xvfb did not start");
        }
        startWindowManager();
    }
    ~Xvfb() {
        stop(windowManager_);
        stop(pid_);
    }
    Xvfb(const Xvfb&) = delete;
    Xvfb& operator=(const Xvfb&) = delete;

    // The display's name for DISPLAY, e.g. ":3".
    const std::string& display() const noexcept { return display_; }

private:
    // The display number Xvfb writes once it accepts clients: digits and a
    // line break; nothing when it ends or says nothing within a minute.
    static std::string readNumber(int fd) {
        std::string number;
        const auto until = std::chrono::steady_clock::now() + std::chrono::minutes(1);
        while (std::chrono::steady_clock::now() < until) {
            pollfd ready{fd, POLLIN, 0};
            if (::poll(&ready, 1, 100) <= 0) continue;
            char c = 0;
            if (::read(fd, &c, 1) != 1 || c == '\n') break;
            number += c;
        }
        return number;
    }

    // The window manager runs once it has set its mark on the root window;
    // a desktop without one after a minute works on without it.
    void startWindowManager() {
        const std::string display = "DISPLAY=" + display_;
        windowManager_ = ::fork();
        if (windowManager_ == 0) {
            ::prctl(PR_SET_PDEATHSIG, SIGTERM);
            ::putenv(const_cast<char*>(display.c_str()));
            const int null = ::open("/dev/null", O_RDWR);
            ::dup2(null, STDOUT_FILENO);
            ::dup2(null, STDERR_FILENO);
            ::execlp("openbox", "openbox", static_cast<char*>(nullptr));
            ::_exit(127);
        }
        const std::string check = display + " xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q window";
        const auto until = std::chrono::steady_clock::now() + std::chrono::minutes(1);
        while (std::system(check.c_str()) != 0 && std::chrono::steady_clock::now() < until)
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }

    static void stop(pid_t& pid) noexcept {
        if (pid <= 0) return;
        ::kill(pid, SIGTERM);
        ::waitpid(pid, nullptr, 0);
        pid = -1;
    }
    void stop() noexcept { stop(pid_); }

    pid_t pid_ = -1;
    pid_t windowManager_ = -1;
    std::string display_;
};
