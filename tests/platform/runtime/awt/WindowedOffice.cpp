#include "tests/platform/runtime/awt/WindowedOffice.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>
#include <com/sun/star/bridge/UnoUrlResolver.hpp>
#include <com/sun/star/connection/NoConnectException.hpp>
#include <com/sun/star/frame/Desktop.hpp>
#include <cppuhelper/bootstrap.hxx>
#include <rtl/bootstrap.hxx>

#include <chrono>
#include <stdexcept>
#include <thread>

namespace {

namespace css = com::sun::star;
using css::uno::Reference;

constexpr const char* Office = KALMORA_OFFICE_PROGRAM "/soffice.bin";
// The office ends with this code once it has made a new profile.
constexpr int ProfileMade = 81;
constexpr auto Limit = std::chrono::minutes(2);

rtl::OUString text(const std::string& utf8) {
    return rtl::OUString(utf8.data(), static_cast<sal_Int32>(utf8.size()), RTL_TEXTENCODING_UTF8);
}

// This process's own UNO runtime, which knows the office's types.
Reference<css::uno::XComponentContext> localContext() {
    static const auto* context = [] {
        rtl::Bootstrap::set("URE_MORE_TYPES", "file://" KALMORA_OFFICE_PROGRAM "/types/offapi.rdb");
        return new Reference<css::uno::XComponentContext>(
            cppu::defaultBootstrap_InitialComponentContext("file://" KALMORA_OFFICE_PROGRAM "/unorc"));
    }();
    return *context;
}

}  // namespace

WindowedOffice::WindowedOffice(const std::string& display, const std::string& profile)
    : display_(display), profile_(profile), pipe_("kalmora-awt-test-" + std::to_string(::getpid())) {
    for (int run = 0; run < 3 && waitForEnd(start(Run::SetUpProfile)) == ProfileMade; ++run) {
    }
    pid_ = start(Run::Serve);
    const auto resolver = css::bridge::UnoUrlResolver::create(localContext());
    const auto until = std::chrono::steady_clock::now() + Limit;
    while (!context_.is()) {
        try {
            context_.set(resolver->resolve(text("uno:pipe,name=" + pipe_ + ";urp;StarOffice.ComponentContext")),
                         css::uno::UNO_QUERY_THROW);
        } catch (const css::connection::NoConnectException&) {
            if (std::chrono::steady_clock::now() > until || ::waitpid(pid_, nullptr, WNOHANG) != 0)
                throw std::runtime_error("the office does not answer");
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        }
    }
}

WindowedOffice::~WindowedOffice() {
    try {
        if (context_.is()) css::frame::Desktop::create(context_)->terminate();
    } catch (const css::uno::Exception&) {
        // The office often ends before it answers.
    }
    context_.clear();
    kill();
}

void WindowedOffice::kill() noexcept {
    if (pid_ <= 0) return;
    ::kill(pid_, SIGKILL);
    ::waitpid(pid_, nullptr, 0);
    pid_ = -1;
}

pid_t WindowedOffice::start(Run run) const {
    const std::string user = "-env:UserInstallation=file://" + profile_;
    const std::string accept = "--accept=pipe,name=" + pipe_ + ";urp;";
    const std::string displayVariable = "DISPLAY=" + display_;
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::putenv(const_cast<char*>(displayVariable.c_str()));
        const int null = ::open("/dev/null", O_RDWR);
        ::dup2(null, STDOUT_FILENO);
        ::dup2(null, STDERR_FILENO);
        ::execl(Office, Office, "--norestore", "--nologo", "--nolockcheck", "--nodefault", user.c_str(),
                run == Run::Serve ? accept.c_str() : "--terminate_after_init", static_cast<char*>(nullptr));
        ::_exit(127);
    }
    return pid;
}

int WindowedOffice::waitForEnd(pid_t pid) const {
    int status = 0;
    ::waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}
