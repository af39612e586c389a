#pragma once
// An office with windows on an X display, with a profile of its own, reached
// over a UNO bridge: the office in which the extension's windows appear.
#include <sys/types.h>
#include <com/sun/star/uno/XComponentContext.hpp>
#include <string>

class WindowedOffice {
public:
    // Starts the office on `display` with its profile in `profile` (made on
    // the first start) and connects to it; throws std::runtime_error when it
    // does not answer within two minutes.
    WindowedOffice(const std::string& display, const std::string& profile);
    // Ends the office.
    ~WindowedOffice();
    WindowedOffice(const WindowedOffice&) = delete;
    WindowedOffice& operator=(const WindowedOffice&) = delete;

    const com::sun::star::uno::Reference<com::sun::star::uno::XComponentContext>& context() const noexcept {
        return context_;
    }
    // Kills the office at once: a display that waits for an answer that
    // never comes then ends with an error.
    void kill() noexcept;

private:
    enum class Run { SetUpProfile, Serve };
    pid_t start(Run run) const;
    int waitForEnd(pid_t pid) const;

    std::string display_;
    std::string profile_;
    std::string pipe_;
    pid_t pid_ = -1;
    com::sun::star::uno::Reference<com::sun::star::uno::XComponentContext> context_;
};
