// Each user's part of an installation, as the extension makes it at the
// office's start: on an installation made by the test (links to the build's
// real add-in, programs and libraries), for a user whose home, data folder
// and world are folders of the test.
#include "platform/office/libreoffice/UserSetup.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <map>
#include <optional>
#include <string>
#include <tuple>
#include <vector>

#include "platform/com/Registry.h"
#include "platform/office/addins/AddInList.h"
#include "platform/printers/PrintSystem.h"
#include "tests/support/OrdinaryUser.h"
#include "tests/support/ScopedVariable.h"
#include "tests/support/TempFolder.h"

namespace {

namespace fs = std::filesystem;
using office::libreoffice::UserSetup;

const std::string kSetupFailed = "pdf-Kalmora lässt sich nicht einrichten:\r\n";
const std::vector<std::string> kAddIn = {"PDF_Kalmora.Connect"};

// The settings file naming the letterheads in the add-in folder `addIn`
// (spelt in Windows-1252, as the file is).
std::string settingsBytes(const std::string& addIn) {
    return "[Global]\r\nErsteSeite=" + addIn + "/Kopfbogen-Seite1.pdf\r\nZweiteSeite=" + addIn +
           "/Kopfbogen-Folgeseiten.pdf\r\nFirmenk\xFCrzel=KBS\r\n";
}

// What a file's name stands for: the same file, unchanged since.
using Stamp = std::tuple<ino_t, std::int64_t, std::int64_t>;

std::map<std::string, Stamp> stamps(const fs::path& folder) {
    std::map<std::string, Stamp> result;
    const auto stamp = [&](const fs::path& path) {
        struct stat status {};
        if (::lstat(path.c_str(), &status) == 0)
            result[path.string()] = {status.st_ino, status.st_mtim.tv_sec, status.st_mtim.tv_nsec};
    };
    stamp(folder);
    for (const auto& entry : fs::recursive_directory_iterator(folder)) stamp(entry.path());
    return result;
}

fs::perms modeOf(const std::string& path) {
    return fs::status(path).permissions() & fs::perms::all;
}

// Public: the tables' steps reach the fixture through a reference.
class UserSetupTest : public ::testing::Test {
public:
    TempFolder folder;
    std::optional<ScopedVariable> home, data, world;

    // An installation as the office unpacks the extension, with the
    // letterheads of its own or the administrator's settings file.
    enum class Settings { Shipped, Administrators };
    std::string installation(const std::string& name, Settings settings = Settings::Shipped) const {
        const fs::path root = folder.path(name);
        fs::create_directories(root);
        for (const char* file : {"PDF_Kalmora.so", "pdftk.exe", "pdftk-guard"})
            fs::create_symlink(fs::path(ADDIN_FOLDER) / file, root / file);
        fs::create_symlink(LIBRARY_FOLDER, root / "lib");
        fs::create_symlink(PROGRAM_FOLDER, root / "bin");
        if (settings == Settings::Shipped)
            fs::create_symlink(LETTERHEAD_FOLDER, root / "Briefpapier");
        else
            folder.write(name + "/pdf-Kalmora.ini", "[Global]\r\nFirmenk\xFCrzel=ADM\r\n");
        return root.string();
    }

    // The user of the home folder `name`, with the data folder and the
    // world that follow from it, or `dataFolder` and `worldFolder` as set.
    void user(const std::string& name, const std::optional<std::string>& dataFolder = std::nullopt,
              const std::optional<std::string>& worldFolder = std::nullopt) {
        fs::create_directories(folder.path(name));
        home.emplace("HOME", folder.path(name));
        data.emplace("XDG_DATA_HOME", dataFolder);
        world.emplace("KALMORA_WORLD", worldFolder);
    }
    std::string addIn() const { return UserSetup::addInFolder().string(); }
    std::string worldFolder() const { return folder.path(homeName() + "/.local/share/kalmora-world"); }
    std::string homeName() const { return fs::path(std::getenv("HOME")).filename().string(); }

    static std::string target(const std::string& link) {
        std::error_code error;
        return fs::read_symlink(link, error).string();
    }

    // The user's part as complete, with links into `root`.
    void expectComplete(const std::string& root) const {
        const std::string folderOfUser = addIn();
        for (const char* name : {"PDF_Kalmora.so", "pdftk.exe", "pdftk-guard", "lib"})
            EXPECT_EQ(target(folderOfUser + "/" + name), root + "/" + name) << name;
        const auto pdfPrinter = com::registry::findProgId("PDFCreator.clsPDFCreator");
        ASSERT_TRUE(pdfPrinter);
        EXPECT_EQ(pdfPrinter->inprocServer, root + "/lib/libPDFCreator.so");
        const auto connect = com::registry::findProgId("PDF_Kalmora.Connect");
        ASSERT_TRUE(connect);
        EXPECT_EQ(connect->inprocServer, folderOfUser + "/PDF_Kalmora.so");
        EXPECT_EQ(office::registeredAddIns("Word"), kAddIn);
        EXPECT_EQ(office::registeredAddIns("Excel"), kAddIn);
        EXPECT_TRUE(printers::exists("PDFCreator"));
    }
};

TEST_F(UserSetupTest, TheFirstStartMakesTheUsersPartForAHomeNamedJuergen) {
    const std::string root = installation("Installation");
    user("jürgen");
    EXPECT_EQ(UserSetup(root).run(), std::nullopt);
    expectComplete(root);
    const std::string folderOfUser = folder.path("jürgen/.local/share/pdf-Kalmora");
    EXPECT_EQ(addIn(), folderOfUser);
    EXPECT_EQ(target(folderOfUser + "/Kopfbogen-Seite1.pdf"), root + "/Briefpapier/Kopfbogen-Seite1.pdf");
    EXPECT_EQ(target(folderOfUser + "/Kopfbogen-Folgeseiten.pdf"), root + "/Briefpapier/Kopfbogen-Folgeseiten.pdf");
    EXPECT_EQ(folder.read(folderOfUser + "/pdf-Kalmora.ini"),
              settingsBytes(folder.path("j\xFCrgen/.local/share/pdf-Kalmora")));
    // No one else looks into the user's folders.
    EXPECT_EQ(modeOf(folderOfUser), fs::perms::owner_all);
    EXPECT_EQ(modeOf(worldFolder()), fs::perms::owner_all);
    EXPECT_EQ(modeOf(folder.path("jürgen/.local")), fs::perms::owner_all);
    // A default printer to come back to.
    EXPECT_EQ(printers::defaultPrinter(), "Standarddrucker");
}

TEST_F(UserSetupTest, EachLaterStartMendsOnlyWhatDiffers) {
    struct Case {
        const char* what;
        // Between the first start and the next.
        std::function<void(UserSetupTest&, std::string& root)> meanwhile;
        // The names that the next start touches, in the add-in folder and the world.
        std::vector<std::string> changed;
    };
    const std::string settingsOfUser =
        "[Global]\r\nErsteSeite=C:\\Briefe\\Kopf.pdf\r\nFirmenk\xFCrzel=XY\r\nWordOverwrite=-1\r\n";
    const std::vector<Case> cases = {
        {"nothing", [](UserSetupTest&, std::string&) {}, {}},
        {"the office unpacked an update into a new folder",
         [](UserSetupTest& test, std::string& root) {
             fs::remove_all(root);
             root = test.installation(fs::path(root).filename().string() + "-neu");
         },
         // The links, their folder, and the PDF printer's class with its path.
         {"pdf-Kalmora", "PDF_Kalmora.so", "pdftk.exe", "pdftk-guard", "lib", "Kopfbogen-Seite1.pdf",
          "Kopfbogen-Folgeseiten.pdf", "CLSID", "{6A3F2C18-94D1-4B7E-A5C0-2E8B17D94F63}"}},
        {"the user changed the settings",
         [&](UserSetupTest& test, std::string&) {
             std::ofstream(test.addIn() + "/pdf-Kalmora.ini", std::ios::binary) << settingsOfUser;
         },
         {}},
        {"an earlier installation left a copy and a link elsewhere",
         [](UserSetupTest& test, std::string&) {
             fs::remove(test.addIn() + "/pdftk.exe");
             std::ofstream(test.addIn() + "/pdftk.exe") << "#!/bin/sh\n";
             fs::remove(test.addIn() + "/lib");
             fs::create_symlink("/usr/lib/pdf-kalmora/lib", test.addIn() + "/lib");
         },
         {"pdf-Kalmora", "pdftk.exe", "lib"}},
    };
    for (std::size_t i = 0; i < cases.size(); ++i) {
        const Case& c = cases[i];
        SCOPED_TRACE(c.what);
        user("benutzer-" + std::to_string(i));
        std::string root = installation("Installation-" + std::to_string(i));
        ASSERT_EQ(UserSetup(root).run(), std::nullopt);
        c.meanwhile(*this, root);
        const std::string settings = folder.read(addIn() + "/pdf-Kalmora.ini");
        const auto addInBefore = stamps(addIn());
        const auto worldBefore = stamps(worldFolder());

        EXPECT_EQ(UserSetup(root).run(), std::nullopt);
        expectComplete(root);
        EXPECT_EQ(folder.read(addIn() + "/pdf-Kalmora.ini"), settings);
        std::vector<std::string> changed;
        for (const auto& [before, after] :
             {std::pair(addInBefore, stamps(addIn())), std::pair(worldBefore, stamps(worldFolder()))})
            for (const auto& [name, stamp] : after)
                if (!before.contains(name) || before.at(name) != stamp)
                    changed.push_back(fs::path(name).filename().string());
        std::vector<std::string> expected = c.changed;
        std::sort(changed.begin(), changed.end());
        std::sort(expected.begin(), expected.end());
        EXPECT_EQ(changed, expected);
    }
}

TEST_F(UserSetupTest, WhatIsLeftOutAndWhatTheUserIsTold) {
    enum class User { Root, Ordinary };
    struct Case {
        const char* what;
        const char* home;
        std::function<std::string(UserSetupTest&)> installation;  // its root
        std::function<void(UserSetupTest&)> prepare;              // before the start
        User startedBy;
        std::function<std::string(UserSetupTest&)> message;  // what the user is told; empty: nothing
        bool letterheads;                                    // links to the shipped letterheads
        bool settingsOfUser;                                 // the user's settings file naming them
        bool registered;                                     // the add-in is in the world
    };
    const auto shipped = [](UserSetupTest& test) { return test.installation("Installation"); };
    const auto nothing = [](UserSetupTest&) {};
    const std::vector<Case> cases = {
        {"the administrator's settings, no letterheads of its own", "anna",
         [](UserSetupTest& test) { return test.installation("Installation", Settings::Administrators); }, nothing,
         User::Root, [](UserSetupTest&) { return std::string(); }, false, false, true},
        {"a home that Windows-1252 cannot spell", "łukasz", shipped, nothing, User::Root,
         [](UserSetupTest& test) {
             return kSetupFailed + test.addIn() +
                    "/Kopfbogen-Seite1.pdf: Die Einstellungsdatei pdf-Kalmora.ini (Windows-1252) kann diesen Pfad "
                    "nicht aufnehmen.";
         },
         true, false, true},
        {"a home the user may not write", "gesperrt", shipped,
         [](UserSetupTest& test) {
             fs::permissions(test.folder.path(), fs::perms::others_exec, fs::perm_options::add);
             fs::permissions(test.folder.path("gesperrt"), fs::perms::owner_read | fs::perms::owner_exec);
             ASSERT_EQ(::chown(test.folder.path("gesperrt").c_str(), OrdinaryUser::uid, OrdinaryUser::gid), 0);
         },
         User::Ordinary,
         [](UserSetupTest& test) {
             return kSetupFailed + test.folder.path("gesperrt/.local") + ": Zugriff verweigert.";
         },
         false, false, false},
        {"an add-in library that does not load", "berta",
         [](UserSetupTest& test) {
             const std::string root = test.installation("Installation");
             fs::remove(root + "/PDF_Kalmora.so");
             std::ofstream(root + "/PDF_Kalmora.so") << std::string(100, 'x');
             return root;
         },
         nothing, User::Root,
         [](UserSetupTest& test) {
             return kSetupFailed + test.addIn() + "/PDF_Kalmora.so: lässt sich nicht laden: " + test.addIn() +
                    "/PDF_Kalmora.so: invalid ELF header";
         },
         true, true, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        if (c.startedBy == User::Ordinary && !OrdinaryUser::available()) continue;
        user(c.home);
        const std::string root = c.installation(*this);
        c.prepare(*this);
        std::optional<std::string> told;
        {
            std::optional<OrdinaryUser> ordinary;
            if (c.startedBy == User::Ordinary) ordinary.emplace();
            told = UserSetup(root).run();
        }
        EXPECT_EQ(told.value_or(""), c.message(*this));
        EXPECT_EQ(fs::exists(addIn() + "/pdf-Kalmora.ini"), c.settingsOfUser);
        EXPECT_EQ(fs::is_symlink(addIn() + "/Kopfbogen-Seite1.pdf"), c.letterheads);
        const bool hasWorld = fs::exists(worldFolder());
        EXPECT_EQ(hasWorld && com::registry::findProgId("PDF_Kalmora.Connect").has_value(), c.registered);
        fs::remove_all(folder.path("Installation"));
        fs::remove_all(folder.path(c.home));
    }
}

}  // namespace
