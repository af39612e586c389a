// The two ways pdf-Kalmora is installed, tried as an administrator and the
// users of a machine try them: the Debian package, installed with apt for
// every user and purged again, and the extension alone, which one user adds
// to their own office with unopkg and removes again. The packages are made
// from the build under test (scripts/package); then the build and the
// sources are covered by empty folders, in a mount namespace of the test's
// own, so that nothing installed can reach them. Each user is an ordinary
// user made by the test, with an umlaut in the home folder's name; the office
// runs as that user on its default profile, under an X server of the test's
// own, and is driven through tests/support/OfficeSession.h.
//
// The package is installed for the whole machine, and every office on it
// would load it: the tests run as root and alone (label "package").
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <pwd.h>
#include <sched.h>
#include <signal.h>
#include <sys/mount.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "tests/support/LetterheadPages.h"
#include "tests/support/OfficeSession.h"
#include "tests/support/PdfText.h"
#include "tests/support/TempFolder.h"
#include "tests/support/Xvfb.h"

namespace {

namespace fs = std::filesystem;
using office_session::officeCalls;
using office_session::OfficeSession;
using office_session::ViewerStandIn;
using pdf::lines;
using ::testing::Contains;
using ::testing::Not;

constexpr const char* kPackage = "libreoffice-pdf-kalmora";
constexpr const char* kExtension = "org.kalmora.pdf-kalmora";
constexpr const char* kOfficeProgram = "/usr/lib/libreoffice/program";
// Where the package puts what every user shares; a user's office writes none of it.
constexpr const char* kMachineFolders =
    "/etc/pdf-kalmora /usr/lib/pdf-kalmora /usr/share/pdf-kalmora /usr/lib/libreoffice/share/extensions";

// A command line's output with its exit code after it, as "exit=N".
std::string run(const std::string& command) {
    return pdf::run("(" + command + ") </dev/null 2>&1; echo \"exit=$?\"");
}

bool succeeded(const std::string& output) {
    return output.ends_with("exit=0\n");
}

// What the package manager knows of the package: "install ok installed",
// "deinstall ok config-files", or nothing.
std::string packageStatus() {
    return pdf::run(std::string("dpkg-query -W -f='${Status}' ") + kPackage + " 2>/dev/null");
}

// The installed package; purged with the object, however the test ends.
class InstalledPackage {
public:
    explicit InstalledPackage(const std::string& deb) : output_(apt("install -y " + pdf::quoted(deb))) {}
    ~InstalledPackage() {
        if (!packageStatus().empty()) purge();
    }
    InstalledPackage(const InstalledPackage&) = delete;
    InstalledPackage& operator=(const InstalledPackage&) = delete;

    const std::string& output() const { return output_; }
    static std::string purge() { return apt(std::string("purge -y ") + kPackage); }

private:
    // apt waits for another apt that holds the lock, as long as a user would.
    static std::string apt(const std::string& arguments) {
        return run("DEBIAN_FRONTEND=noninteractive apt-get -o DPkg::Lock::Timeout=60 " + arguments);
    }

    std::string output_;
};

// An ordinary user made by the test, with a home folder of its own; removed
// with the object, with its home and whatever of it still runs.
class MadeUser {
public:
    MadeUser(std::string name, const std::string& home) : name_(std::move(name)) {
        const std::string made = run("useradd -m -s /bin/sh -d " + pdf::quoted(home) + " " + name_);
        const passwd* entry = ::getpwnam(name_.c_str());
        if (!succeeded(made) || entry == nullptr) throw std::runtime_error("useradd: " + made);
        uid_ = entry->pw_uid;
        home_ = entry->pw_dir;
    }
    ~MadeUser() {
        for (const std::string& process : lines(pdf::run("pgrep -U " + std::to_string(uid_))))
            ::kill(std::stoi(process), SIGKILL);
        run("userdel -r " + name_);
    }
    MadeUser(const MadeUser&) = delete;
    MadeUser& operator=(const MadeUser&) = delete;

    const std::string& name() const { return name_; }
    const fs::path& home() const { return home_; }
    std::string path(const std::string& name) const { return (home_ / name).string(); }

    // Runs a command line as the user, in the home folder, as a login
    // shell's command would run (HOME, USER and LOGNAME its own).
    std::string as(const std::string& command) const {
        return run("runuser -u " + name_ + " -- sh -c " + pdf::quoted("cd && " + command));
    }
    // Gives the user what the test put into the home folder.
    void ownHome() const { pdf::run("chown -R " + name_ + ": " + pdf::quoted(home_.string())); }
    // What in the home folder is not the user's.
    std::string foreignFiles() const { return pdf::run("find " + pdf::quoted(home_.string()) + " ! -user " + name_); }

private:
    std::string name_;
    uid_t uid_ = 0;
    fs::path home_;
};

bool isElf(const fs::path& file) {
    constexpr std::string_view magic =
        "\x7f"
        "ELF";
    std::string start(magic.size(), '\0');
    std::ifstream(file, std::ios::binary).read(start.data(), static_cast<std::streamsize>(start.size()));
    return fs::is_regular_file(fs::symlink_status(file)) && start == magic;
}

// The RUNPATH and RPATH entries of the ELF files among `files` that point
// elsewhere than relative to the file itself ($ORIGIN) or to the office's
// program folder, as "file: entry".
std::vector<std::string> foreignRunpaths(const std::vector<fs::path>& files) {
    std::vector<std::string> foreign;
    for (const fs::path& file : files) {
        if (!isElf(file)) continue;
        for (const std::string& line : lines(pdf::run("readelf -d " + pdf::quoted(file.string())))) {
            if (line.find("(RUNPATH)") == std::string::npos && line.find("(RPATH)") == std::string::npos) continue;
            const auto from = line.find('[') + 1;
            std::istringstream entries(line.substr(from, line.rfind(']') - from));
            for (std::string entry; std::getline(entries, entry, ':');) {
                if (!entry.starts_with("$ORIGIN") && entry != kOfficeProgram)
                    foreign.push_back(file.string() + ": " + entry);
            }
        }
    }
    return foreign;
}

// The ELF files the package installed are checked while it is installed.
std::vector<fs::path> installedFiles() {
    std::vector<fs::path> files;
    for (const std::string& line : lines(pdf::run(std::string("dpkg -L ") + kPackage))) files.emplace_back(line);
    return files;
}

std::vector<fs::path> filesIn(const fs::path& folder) {
    std::vector<fs::path> files;
    for (const auto& entry : fs::recursive_directory_iterator(folder)) files.push_back(entry.path());
    return files;
}

// lintian's errors, but those that the build type explains: a build that
// keeps its symbols in the installation gives an unstripped package.
std::vector<std::string> lintianErrors(const std::string& deb) {
    std::vector<std::string> errors;
    for (const std::string& line : lines(pdf::run("lintian " + pdf::quoted(deb) + " 2>&1"))) {
        if (!line.starts_with("E: ")) continue;
        if (!KALMORA_STRIPPED_INSTALLATION && line.find(" unstripped-binary-or-object ") != std::string::npos) continue;
        errors.push_back(line);
    }
    return errors;
}

// While it lives, this process, and all it starts, sees the build and the
// sources as empty folders. Made before any thread starts, which would stay
// outside.
class CoveredBuild {
public:
    CoveredBuild() {
        if (::unshare(CLONE_NEWNS) != 0 || ::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0)
            throw std::runtime_error("no mount namespace of the test's own");
        // The build first: it may lie in the sources.
        for (const char* covered : {BUILD_FOLDER, SOURCE_FOLDER}) {
            if (::mount("kalmora-covered", covered, "tmpfs", MS_RDONLY, nullptr) != 0)
                throw std::runtime_error(std::string("cannot cover ") + covered);
        }
        if (::chdir("/") != 0) throw std::runtime_error("cannot leave the build");
    }
    ~CoveredBuild() {
        for (const char* covered : {SOURCE_FOLDER, BUILD_FOLDER}) ::umount2(covered, MNT_DETACH);
    }
    CoveredBuild(const CoveredBuild&) = delete;
    CoveredBuild& operator=(const CoveredBuild&) = delete;
};

class Package : public ::testing::Test {
protected:
    TempFolder folder;
    std::string deb, oxt;
    std::optional<CoveredBuild> covered;
    std::optional<Xvfb> screen;
    int starts = 0;

    void SetUp() override {
        if (::geteuid() != 0) GTEST_SKIP() << "only root installs a package";
        ASSERT_EQ(packageStatus(), "") << kPackage << " is on this machine already; the test would remove it";
        // The users' offices find their world and settings where a user's
        // office finds them.
        for (const char* variable : {"KALMORA_WORLD", "XDG_DATA_HOME", "XDG_CONFIG_HOME", "XDG_RUNTIME_DIR"})
            ::unsetenv(variable);
        const std::string made = run("bash " SOURCE_FOLDER "/scripts/package --build " BUILD_FOLDER " --out " +
                                     pdf::quoted(folder.path("dist")));
        ASSERT_TRUE(succeeded(made)) << made;
        for (const std::string& written : lines(made)) {
            if (written.ends_with(".deb")) deb = written;
            if (written.ends_with(".oxt")) oxt = written;
        }
        ASSERT_TRUE(fs::exists(deb) && fs::exists(oxt)) << made;
        fs::copy_file(EXAMPLES_FOLDER "/Angebot.docx", folder.path("Angebot.docx"));
        covered.emplace();
        screen.emplace();
        ::setenv("DISPLAY", screen->display().c_str(), 1);
    }

    static std::string name(const std::string& user) { return "k" + user + std::to_string(::getpid()); }
    static std::string home(const std::string& user) { return "/home/" + user + "-" + std::to_string(::getpid()); }

    // The user opens a copy of the example letter in Writer, finds the
    // button, presses it and takes the first layout with Enter. The result
    // lies beside the letter, on the letterheads, and the viewer shows it.
    // The office, the extension and the add-in wrote into the user's own
    // folders only.
    void pressTheButton(const MadeUser& user, const std::string& repository) {
        const ViewerStandIn viewer(user.home());
        fs::copy_file(folder.path("Angebot.docx"), user.path("Angebot.docx"));
        user.ownHome();
        const std::string machine = machineFolders();
        {
            OfficeSession session = office(user);
            officeCalls([&] {
                const auto letter = session.openFile(user.path("Angebot.docx"));
                EXPECT_THAT(session.extensions(repository), Contains(kExtension));
                const office_session::ToolbarItem item = OfficeSession::button(letter);
                ASSERT_EQ(item.label, "pdf-Kalmora");
                EXPECT_TRUE(session.hasFace("com.sun.star.text.TextDocument", item.command));
                OfficeSession::clickWithMouse(letter, "pdf-Kalmora");
                session.answer("Auswahl mit Doppelklick bestätigen", "Return");
                EXPECT_EQ(viewer.opened(), user.path("Angebot_KBS.pdf"));
                expectOfferOnShippedLetterheads(pdf::pageTexts(user.path("Angebot_KBS.pdf")));
            });
        }
        EXPECT_EQ(machineFolders(), machine);
        EXPECT_EQ(user.foreignFiles(), "");
        for (const char* own : {".local/share/pdf-Kalmora", ".local/share/kalmora-world"})
            EXPECT_TRUE(fs::is_directory(user.home() / own)) << own;
    }

    // The user's next office shows no button, and knows no such extension.
    void expectNoButton(const MadeUser& user) {
        OfficeSession session = office(user);
        officeCalls([&] {
            const auto letter = session.openFile(user.path("Angebot.docx"));
            for (const char* repository : {"user", "shared", "bundled"})
                EXPECT_THAT(session.extensions(repository), Not(Contains(kExtension))) << repository;
            EXPECT_EQ(OfficeSession::items(letter).size(), 0u);
        });
    }

    // The user's office, as the user starts it: on the default profile.
    OfficeSession office(const MadeUser& user) {
        ++starts;
        return OfficeSession(user.home() / ".config/libreoffice/4", "kalmora-package-" + std::to_string(::getpid()),
                             office::OfficeOptions{.log = folder.path("office-" + std::to_string(starts) + ".log"),
                                                   .user = user.name()});
    }

    // The files the machine's users share, with their sizes, times and owners.
    static std::string machineFolders() {
        return pdf::run(std::string("find ") + kMachineFolders + " -printf '%p %s %T@ %U\\n' 2>/dev/null | sort");
    }
};

TEST_F(Package, TheDebianPackageGivesEveryUserTheButtonUntilItIsPurged) {
    EXPECT_EQ(lintianErrors(deb), std::vector<std::string>{});
    const InstalledPackage installed(deb);
    ASSERT_TRUE(succeeded(installed.output())) << installed.output();
    EXPECT_EQ(foreignRunpaths(installedFiles()), std::vector<std::string>{});
    const MadeUser user(name("juergen"), home("jürgen"));
    pressTheButton(user, "bundled");

    const std::string purged = InstalledPackage::purge();
    ASSERT_TRUE(succeeded(purged)) << purged;
    EXPECT_FALSE(fs::exists("/etc/pdf-kalmora"));
    expectNoButton(user);
}

TEST_F(Package, TheExtensionAloneGivesItsUserTheButtonUntilItIsRemoved) {
    const TempFolder unpacked;
    ASSERT_TRUE(succeeded(run("unzip -q " + pdf::quoted(oxt) + " -d " + pdf::quoted(unpacked.path()))));
    EXPECT_EQ(foreignRunpaths(filesIn(unpacked.path())), std::vector<std::string>{});
    const MadeUser user(name("bjoern"), home("björn"));
    fs::create_directories(user.home() / "Downloads");
    fs::copy_file(oxt, user.home() / "Downloads" / fs::path(oxt).filename());
    user.ownHome();
    const std::string added = user.as(std::string(kOfficeProgram) + "/unopkg add --suppress-license Downloads/" +
                                      fs::path(oxt).filename().string());
    ASSERT_TRUE(succeeded(added)) << added;
    pressTheButton(user, "user");

    const std::string removed = user.as(std::string(kOfficeProgram) + "/unopkg remove " + kExtension);
    ASSERT_TRUE(succeeded(removed)) << removed;
    expectNoButton(user);
    // The user's settings stay for a later install.
    EXPECT_TRUE(fs::exists(user.home() / ".local/share/pdf-Kalmora/pdf-Kalmora.ini"));
}

}  // namespace
