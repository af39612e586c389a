#pragma once
// The headless office process (LibreOffice's soffice.bin) that lays out real
// documents for one host. It runs with a profile of its own and listens on a
// named pipe for the UNO connection. The kernel ends it when its host ends,
// however the host ends (crash, kill), so that no office is left behind.
#include <chrono>
#include <filesystem>
#include <string>

namespace office {

class OfficeProcess {
public:
    // Starts the office with the profile folder `profile`, listening on the
    // pipe `pipe`. A profile that does not exist yet is set up first by an
    // office run of its own. Throws std::runtime_error when the office cannot
    // be started.
    OfficeProcess(const std::filesystem::path& profile, std::string pipe);
    // Ends the office: it is asked to end (SIGTERM) and, after a short wait,
    // killed.
    ~OfficeProcess();
    OfficeProcess(const OfficeProcess&) = delete;
    OfficeProcess& operator=(const OfficeProcess&) = delete;

    // The UNO address of the office's component context.
    std::string connectUrl() const;

    // Whether the office is still running; once it has ended, its exit code
    // is in exitCode().
    bool running();
    int exitCode() const noexcept { return exitCode_; }

    // Waits up to `timeout` for the office to end; true when it has.
    bool waitForEnd(std::chrono::milliseconds timeout);

private:
    enum class Run { SetUpProfile, Serve };
    void start(Run run);

    std::filesystem::path profile_;
    std::string pipe_;
    int pid_ = -1;
    int exitCode_ = -1;
};

}  // namespace office
