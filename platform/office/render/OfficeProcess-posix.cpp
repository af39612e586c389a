#include "platform/office/render/OfficeProcess.h"

#include <fcntl.h>
#include <grp.h>
#include <pwd.h>
#include <sys/prctl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <optional>
#include <stdexcept>
#include <string_view>
#include <system_error>
#include <thread>
#include <vector>

#include "platform/uno/UnoText.h"
#include "platform/win32/ChildProcess.h"

extern char** environ;

namespace office {

namespace {

constexpr const char* kOfficeProgram = KALMORA_OFFICE_PROGRAM "/soffice.bin";
constexpr auto kPoll = std::chrono::milliseconds(10);
constexpr auto kSetUpLimit = std::chrono::seconds(60);
// The office ends with this code once it has made a new profile, to be
// started again on it.
constexpr int kRestartCode = 81;
constexpr int kRestartLimit = 2;
constexpr const char* kTemporaryFolder = "tmp";
constexpr int kDeathSignal = SIGKILL;

// The account an office runs as, when it is another than this process's.
struct Account {
    uid_t uid = 0;
    gid_t gid = 0;
    std::vector<gid_t> groups;
    std::string home;
};

Account lookUp(const std::string& name) {
    std::vector<char> buffer(16384);
    passwd entry{};
    passwd* found = nullptr;
    if (::getpwnam_r(name.c_str(), &entry, buffer.data(), buffer.size(), &found) != 0 || found == nullptr)
        throw std::runtime_error("Das Office-Programm soll als \"" + name + "\" laufen, das es nicht gibt.");
    Account account{entry.pw_uid, entry.pw_gid, {}, entry.pw_dir};
    int count = 64;
    do {
        account.groups.resize(static_cast<std::size_t>(count));
    } while (::getgrouplist(name.c_str(), account.gid, account.groups.data(), &count) < 0);
    account.groups.resize(static_cast<std::size_t>(count));
    return account;
}

// The folders from the first that is missing down to `folder`, to be made in
// that order.
std::vector<std::string> missingFolders(std::filesystem::path folder) {
    std::vector<std::string> missing;
    for (std::error_code error; !folder.empty() && !std::filesystem::exists(folder, error);
         folder = folder.parent_path())
        missing.insert(missing.begin(), folder.string());
    return missing;
}

}  // namespace

OfficeProcess::OfficeProcess(const std::filesystem::path& profile, std::string pipe, OfficeOptions options)
    : profile_(profile), pipe_(std::move(pipe)), options_(std::move(options)) {
    // A new profile is set up by a run without windows first. Extensions
    // added since the last start make the office ask for a restart (code
    // 81) before its first window shows, which running() gives it, as the
    // office's own launcher does: a run without windows would set them up
    // otherwise than a user's start does.
    for (int run = 1; !std::filesystem::exists(profile_ / "user" / "registrymodifications.xcu"); ++run) {
        start(Run::SetUpProfile);
        if (!waitForEnd(kSetUpLimit)) {
            ::kill(pid_, SIGKILL);
            waitForEnd(kSetUpLimit);
            throw std::runtime_error("Das Office-Programm richtet sein Profil \"" + profile_.string() +
                                     "\" nicht ein.");
        }
        if ((exitCode_ != 0 && exitCode_ != kRestartCode) || run == 3)
            throw std::runtime_error("Das Office-Programm richtet sein Profil \"" + profile_.string() +
                                     "\" nicht ein (Code " + std::to_string(exitCode_) + ").");
    }
    start(Run::Serve);
}

OfficeProcess::~OfficeProcess() {
    if (running()) {
        ::kill(pid_, SIGTERM);
        if (!waitForEnd(std::chrono::seconds(5))) {
            ::kill(pid_, SIGKILL);
            waitForEnd(std::chrono::hours(1));
        }
    }
    removeTemporaryFolder();
}

void OfficeProcess::removeTemporaryFolder() const {
    std::error_code ignored;
    std::filesystem::remove_all(profile_ / kTemporaryFolder, ignored);
}

std::string OfficeProcess::connectUrl() const {
    return "uno:pipe,name=" + pipe_ + ";urp;StarOffice.ComponentContext";
}

void OfficeProcess::start(Run run) {
    // Everything the child needs is made before the fork: between fork and
    // exec a multi-threaded host may only make async-signal-safe calls.
    std::vector<std::string> arguments = {kOfficeProgram};
    // A new profile is always set up without windows.
    if (run == Run::SetUpProfile || options_.windows == OfficeWindows::None) {
        arguments.push_back("--headless");
        arguments.push_back("--invisible");
    }
    for (const char* argument : {"--nologo", "--norestore", "--nodefault", "--nolockcheck"})
        arguments.push_back(argument);
    // Without a profile of its own the office would take the user's.
    const rtl::OUString profileUrl = uno::fileUrl(profile_);
    if (profileUrl.isEmpty())
        throw std::runtime_error("Das Office-Profil \"" + profile_.string() + "\" hat keinen gültigen Pfad.");
    arguments.push_back("-env:UserInstallation=" + uno::text(profileUrl));
    arguments.push_back(run == Run::Serve ? "--accept=pipe,name=" + pipe_ + ";urp;" : "--terminate_after_init");
    const std::string log = options_.log.empty() ? "/dev/null" : options_.log.string();
    std::vector<char*> argv;
    argv.reserve(arguments.size() + 1);
    for (std::string& argument : arguments) argv.push_back(argument.data());
    argv.push_back(nullptr);
    // The office's temporary folder (lu*.tmp) goes into its profile, out of
    // the user's: a killed office leaves it behind, and the next office on
    // the profile, which only this host uses, starts without it.
    removeTemporaryFolder();
    std::vector<std::string> variables = {"TMPDIR=" + (profile_ / kTemporaryFolder).string()};
    std::vector<std::string_view> replaced = {"TMPDIR="};
    // Another account's office makes the folders it lacks itself, so that
    // they are its own.
    const std::optional<Account> account = options_.user.empty() ? std::nullopt : std::optional(lookUp(options_.user));
    std::vector<std::string> folders;
    if (account) {
        folders = missingFolders(profile_ / kTemporaryFolder);
        for (const std::string& variable :
             {"HOME=" + account->home, "USER=" + options_.user, "LOGNAME=" + options_.user})
            variables.push_back(variable);
        replaced.insert(replaced.end(), {"HOME=", "USER=", "LOGNAME="});
    } else {
        std::error_code ignored;
        std::filesystem::create_directories(profile_ / kTemporaryFolder, ignored);
    }
    for (char** variable = environ; *variable != nullptr; ++variable) {
        const std::string_view current(*variable);
        if (std::none_of(replaced.begin(), replaced.end(),
                         [&](std::string_view name) { return current.starts_with(name); }))
            variables.emplace_back(current);
    }
    std::vector<char*> envp;
    envp.reserve(variables.size() + 1);
    for (std::string& variable : variables) envp.push_back(variable.data());
    envp.push_back(nullptr);

    // The office ends with the host, also when the host is killed.
    const pid_t host = ::getpid();
    const pid_t pid = win32::forkChild({.deathSignal = kDeathSignal, .signals = win32::ChildSignals::Inherited});
    if (pid < 0) {
        const int error = errno;
        throw std::runtime_error("Das Office-Programm \"" + std::string(kOfficeProgram) +
                                 "\" lässt sich nicht starten: " + std::strerror(error) + ".");
    }
    if (pid == 0) {
        // A root host that acts as an ordinary user for a while, with root
        // kept as its saved user, takes up root again to set the account.
        if (account && ::geteuid() != 0 && ::setresuid(0, 0, 0) != 0) ::_exit(win32::cannotRun);
        // Its warnings go to its log, not into the host's own output.
        const int null = ::open("/dev/null", O_RDONLY);
        const int out = ::open(log.c_str(), O_WRONLY | O_CREAT | O_APPEND, 0644);
        if (null >= 0) ::dup2(null, STDIN_FILENO);
        if (out >= 0) {
            ::dup2(out, STDOUT_FILENO);
            ::dup2(out, STDERR_FILENO);
        }
        if (options_.addressSpace != 0) {
            const rlimit limit = {.rlim_cur = options_.addressSpace, .rlim_max = options_.addressSpace};
            ::setrlimit(RLIMIT_AS, &limit);
        }
        if (account) {
            if (::setgroups(account->groups.size(), account->groups.data()) != 0 ||
                ::setresgid(account->gid, account->gid, account->gid) != 0 ||
                ::setresuid(account->uid, account->uid, account->uid) != 0)
                ::_exit(win32::cannotRun);
            // A change of user clears the death signal.
            if (::prctl(PR_SET_PDEATHSIG, kDeathSignal) != 0 || ::getppid() != host) ::_exit(win32::cannotRun);
            for (const std::string& folder : folders) ::mkdir(folder.c_str(), 0700);
        }
        // No descriptor of the host (its locks, its pipes) lives on in the office.
        ::syscall(SYS_close_range, 3U, ~0U, 0U);
        ::execve(kOfficeProgram, argv.data(), envp.data());
        ::_exit(win32::cannotRun);
    }
    pid_ = pid;
    exitCode_ = -1;
    run_ = run;
}

bool OfficeProcess::running() {
    if (pid_ < 0) return false;
    int status = 0;
    const pid_t ended = ::waitpid(pid_, &status, WNOHANG);
    if (ended == 0) return true;
    exitCode_ = ended < 0 ? -1 : win32::exitCodeOf(status);
    pid_ = -1;
    // As the office's own launcher does: an office that asks for a restart
    // has set up extensions that it only loads when started anew (those it
    // brings along for every user are set up at the first start with
    // windows, not before).
    if (run_ == Run::Serve && exitCode_ == kRestartCode && restarts_ < kRestartLimit) {
        ++restarts_;
        try {
            start(Run::Serve);
            return true;
        } catch (const std::runtime_error&) {
            return false;
        }
    }
    return false;
}

bool OfficeProcess::waitForEnd(std::chrono::milliseconds timeout) {
    const auto until = std::chrono::steady_clock::now() + timeout;
    while (running()) {
        if (std::chrono::steady_clock::now() >= until) return false;
        std::this_thread::sleep_for(kPoll);
    }
    return true;
}

}  // namespace office
