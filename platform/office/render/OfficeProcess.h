#pragma once
// An office process (LibreOffice's soffice.bin): the headless one that lays
// out real documents for one host, or one with windows as a user runs it
// (the hosts' tests). It runs with a profile of its own and listens on a
// named pipe for the UNO connection. The kernel ends it when its starter
// ends, however that ends (crash, kill), so that no office is left behind.
// Its temporary files lie in the profile (tmp/) and go when it ends.
#include <chrono>
#include <cstdint>
#include <filesystem>
#include <string>

namespace office {

enum class OfficeWindows {
    None,   // headless: no window, no display needed
    Shown,  // windows on $DISPLAY, as the user's office shows them
};

struct OfficeOptions {
    OfficeWindows windows = OfficeWindows::None;
    // Where the office's standard output and error go; empty: nowhere.
    std::filesystem::path log = {};
    // The address space the office may map, in bytes (RLIMIT_AS); 0: as much
    // as it likes. An allocation beyond it fails inside the office, instead
    // of the machine's memory running out for everyone.
    std::uint64_t addressSpace = 0;
    // The account the office runs as, by its name: its user, its group and
    // groups, and HOME, USER and LOGNAME as a login sets them; the folders
    // that the start makes in the profile are its own. Empty: this process's
    // account. Only root may name another.
    std::string user = {};
};

class OfficeProcess {
public:
    // Starts the office with the profile folder `profile`, listening on the
    // pipe `pipe`. A profile that does not exist yet is set up first by an
    // office run of its own. Throws std::runtime_error when the office cannot
    // be started.
    OfficeProcess(const std::filesystem::path& profile, std::string pipe, OfficeOptions options = {});
    // Ends the office: it is asked to end (SIGTERM) and, after a short wait,
    // killed.
    ~OfficeProcess();
    OfficeProcess(const OfficeProcess&) = delete;
    OfficeProcess& operator=(const OfficeProcess&) = delete;

    // The UNO address of the office's component context.
    std::string connectUrl() const;

    // Whether the office is still running; once it has ended, its exit code
    // is in exitCode(). An office that asks to be started anew (as at its
    // first start with windows) is started again, as its launcher does.
    bool running();
    int exitCode() const noexcept { return exitCode_; }
    // The process id while it runs.
    int pid() const noexcept { return pid_; }

    // Waits up to `timeout` for the office to end; true when it has.
    bool waitForEnd(std::chrono::milliseconds timeout);

private:
    enum class Run { SetUpProfile, Serve };
    void start(Run run);
    void removeTemporaryFolder() const;

    std::filesystem::path profile_;
    std::string pipe_;
    OfficeOptions options_;
    int pid_ = -1;
    int exitCode_ = -1;
    Run run_ = Run::SetUpProfile;
    int restarts_ = 0;
};

}  // namespace office
