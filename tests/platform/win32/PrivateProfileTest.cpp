#include "platform/win32/PrivateProfile.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <chrono>
#include <filesystem>
#include <optional>
#include <string>

#include "platform/win32/ProfileText.h"
#include "tests/support/LockHolder.h"
#include "tests/support/OrdinaryUser.h"
#include "tests/support/TempFolder.h"

using namespace std::string_literals;
using namespace win32;

namespace {

struct BufferCase {
    const char* what;
    std::string file;
    DWORD size;
    std::string bufferBefore;
    std::string bufferAfter;
    DWORD copied;
};

TEST(PrivateProfile, ReplacesOnlyTheStartOfTheCallersBuffer) {
    const std::string blanks(1024, ' ');
    const std::string longValue(1100, 'x');
    const BufferCase cases[] = {
        {"short value", "[S]\r\nk=abc\r\n", 1024, blanks, "abc\0"s + std::string(1020, ' '), 3},
        {"value cut to size - 1", "[S]\r\nk=" + longValue + "\r\n", 1024, blanks, std::string(1023, 'x') + '\0', 1023},
        {"umlaut counts as one character",
         "[S]\r\nk=\xFC"
         "ber\r\n",
         8, "........", "über\0..."s, 4},
        {"buffer of umlauts", "[S]\r\nk=ab\r\n", 6, "ääääää", "ab\0äää"s, 2},
        {"cut between umlauts", "[S]\r\nk=\xFC\xFC\xFC\r\n", 3, "----", "üü\0-"s, 2},
        {"missing key gives the default", "[S]\r\n", 10, "..........", "dflt\0....."s, 4},
        {"size 1 holds only the NUL", "[S]\r\nk=abc\r\n", 1, "..", "\0."s, 0},
        {"size 0 leaves the buffer", "[S]\r\nk=abc\r\n", 0, "..", "..", 0},
    };
    for (const auto& c : cases) {
        TempFolder folder;
        folder.write("a.ini", c.file);
        std::string buffer = c.bufferBefore;
        EXPECT_EQ(GetPrivateProfileStringA("S", "k", "dflt", buffer, c.size, folder.path("a.ini")), c.copied) << c.what;
        EXPECT_EQ(buffer, c.bufferAfter) << c.what;
    }
}

TEST(PrivateProfile, ReadsTheDefaultWhenThereIsNoFileToRead) {
    TempFolder folder;
    std::filesystem::create_directory(folder.path("folder.ini"));
    folder.write("folder.ini/inside", "[S]\r\nk=7\r\n");
    for (const auto& name : {"missing.ini", "folder.ini", "nofolder/a.ini"}) {
        std::string buffer(8, '.');
        EXPECT_EQ(GetPrivateProfileStringA("S", "k", "d", buffer, 8, folder.path(name)), 1u) << name;
        EXPECT_EQ(buffer, "d\0......"s) << name;
        EXPECT_EQ(GetPrivateProfileIntA("S", "k", -7, folder.path(name)), static_cast<UINT>(-7)) << name;
    }
}

TEST(PrivateProfile, ReadsIntegersFromTheFile) {
    TempFolder folder;
    folder.write("a.ini", "[S]\r\nneg=\"-5\"\r\nempty=\r\nword=abc\r\n");
    const auto file = folder.path("a.ini");
    EXPECT_EQ(GetPrivateProfileIntA("S", "neg", 9, file), static_cast<UINT>(-5));
    EXPECT_EQ(GetPrivateProfileIntA("S", "empty", 9, file), 0u);
    EXPECT_EQ(GetPrivateProfileIntA("S", "word", 9, file), 0u);
    EXPECT_EQ(GetPrivateProfileIntA("S", "missing", 9, file), 9u);
}

TEST(PrivateProfile, WritesAWindows1252FileAndReadsItBack) {
    TempFolder folder;
    const auto file = folder.windowsPath("a.ini");
    ASSERT_EQ(WritePrivateProfileStringA("Über", "Grüße", "für €5", file), TRUE);
    ASSERT_EQ(WritePrivateProfileStringA("über", "GRÜSSE", "x", file), TRUE);
    EXPECT_EQ(folder.read("a.ini"),
              "[\xDC"
              "ber]\r\nGr\xFC\xDF"
              "e=f\xFCr \x80"
              "5\r\nGR\xDCSSE=x\r\n");
    std::string buffer(16, ' ');
    EXPECT_EQ(GetPrivateProfileStringA("ÜBER", "grüße", "", buffer, 16, file), 6u);
    EXPECT_EQ(buffer.substr(0, buffer.find('\0')), "für €5");
    EXPECT_EQ(folder.names(), std::set<std::string>{"a.ini"});
}

TEST(PrivateProfile, AFileSavedAsUtf8IsReadAndWrittenInUtf8) {
    const std::string utf8 = "[Global]\nFirmenkürzel=KBS\n[Über]\n";
    const struct {
        const char* what;
        std::string before;
        std::string after;  // after the writes below; empty: not written
        BOOL holdsPolish;
    } cases[] = {
        {"UTF-8", utf8, "[Global]\nFirmenkürzel=Mü\nErsteSeite=/home/łukasz/Briefköpfe/1.pdf\r\n[Über]\n", TRUE},
        {"UTF-8 with byte order mark", "\xEF\xBB\xBF" + utf8,
         "\xEF\xBB\xBF[Global]\nFirmenkürzel=Mü\nErsteSeite=/home/łukasz/Briefköpfe/1.pdf\r\n[Über]\n", TRUE},
        {"Windows-1252",
         "[Global]\nFirmenk\xFCrzel=KBS\n[\xDC"
         "ber]\n",
         "", FALSE},
        {"no file", "", "", FALSE},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        TempFolder folder;
        if (!c.before.empty()) folder.write("a.ini", c.before);
        const auto file = folder.path("a.ini");
        std::string buffer(8, ' ');
        EXPECT_EQ(GetPrivateProfileStringA("global", "FIRMENKÜRZEL", "", buffer, 8, file), c.before.empty() ? 0u : 3u);
        std::string names;
        GetPrivateProfileSectionNamesA(names, 64, file);
        EXPECT_EQ(names, c.before.empty() ? "\0\0"s : "Global\0Über\0\0"s);
        EXPECT_EQ(ProfileHoldsText("/home/łukasz", file), c.holdsPolish);
        EXPECT_EQ(ProfileHoldsText("/home/jürgen", file), TRUE);
        if (c.after.empty()) continue;
        const ProfileEntry entries[] = {{"firmenKÜRZEL", "Mü"}, {"ErsteSeite", "/home/łukasz/Briefköpfe/1.pdf"}};
        ASSERT_EQ(WritePrivateProfileEntries("GLOBAL", entries, file), TRUE);
        EXPECT_EQ(folder.read("a.ini"), c.after);
    }
}

TEST(PrivateProfile, KeepsEveryOtherByteAndThePermissions) {
    TempFolder folder;
    const std::string longLine(70 * 1024, 'x');
    folder.write("a.ini", "[S]\r\nju\0nk\n"s + longLine + "\rk=1\r\n");
    std::filesystem::permissions(folder.path("a.ini"), std::filesystem::perms(0640));
    ASSERT_EQ(WritePrivateProfileStringA("S", "k", "2", folder.path("a.ini")), TRUE);
    EXPECT_EQ(folder.read("a.ini"), "[S]\r\nju\0nk\n"s + longLine + "\rk=2\r\n");
    EXPECT_EQ(std::filesystem::status(folder.path("a.ini")).permissions(), std::filesystem::perms(0640));
    EXPECT_EQ(folder.names(), std::set<std::string>{"a.ini"});
}

TEST(PrivateProfile, WritesThroughALinkAndKeepsTheTargetsOwnerGroupAndMode) {
    TempFolder folder;
    std::filesystem::create_directories(folder.path("AddIn"));
    std::filesystem::create_directories(folder.path("Zentral"));
    folder.write("Zentral/a.ini", "[S]\r\nk=1\r\n");
    ASSERT_EQ(::chown(folder.path("Zentral/a.ini").c_str(), 1234, 2345), 0);
    std::filesystem::permissions(folder.path("Zentral/a.ini"), std::filesystem::perms(0640));
    std::filesystem::create_symlink("../Zentral/a.ini", folder.path("AddIn/a.ini"));

    ASSERT_EQ(WritePrivateProfileStringA("S", "k", "2", folder.path("AddIn/a.ini")), TRUE);
    EXPECT_TRUE(std::filesystem::is_symlink(folder.path("AddIn/a.ini")));
    EXPECT_EQ(folder.read("Zentral/a.ini"), "[S]\r\nk=2\r\n");
    struct stat target {};
    ASSERT_EQ(::stat(folder.path("Zentral/a.ini").c_str(), &target), 0);
    EXPECT_EQ(target.st_uid, 1234u);
    EXPECT_EQ(target.st_gid, 2345u);
    EXPECT_EQ(target.st_mode & 07777, 0640u);
    EXPECT_EQ(folder.names("AddIn"), std::set<std::string>{"a.ini"});
    EXPECT_EQ(folder.names("Zentral"), std::set<std::string>{"a.ini"});
    // Another user's file that the user may write is not taken over.
    if (OrdinaryUser::available()) {
        std::filesystem::permissions(folder.path(), std::filesystem::perms::all);
        std::filesystem::permissions(folder.path("Zentral"), std::filesystem::perms::all);
        std::filesystem::permissions(folder.path("Zentral/a.ini"), std::filesystem::perms(0666));
        const OrdinaryUser user;
        ASSERT_EQ(WritePrivateProfileStringA("S", "k", "4", folder.path("AddIn/a.ini")), TRUE);
        EXPECT_EQ(folder.read("Zentral/a.ini"), "[S]\r\nk=4\r\n");
    }
    ASSERT_EQ(::stat(folder.path("Zentral/a.ini").c_str(), &target), 0);
    EXPECT_EQ(target.st_uid, 1234u);
    EXPECT_EQ(target.st_gid, 2345u);
    EXPECT_EQ(folder.names("Zentral"), std::set<std::string>{"a.ini"});
    // A link to a file not made yet makes it there.
    std::filesystem::create_symlink("../Zentral/neu.ini", folder.path("AddIn/neu.ini"));
    ASSERT_EQ(WritePrivateProfileStringA("S", "k", "3", folder.path("AddIn/neu.ini")), TRUE);
    EXPECT_EQ(folder.read("Zentral/neu.ini"), "[S]\r\nk=3\r\n");
}

TEST(PrivateProfile, GivesUpAfterAFewSecondsWhenAnotherWriterHoldsTheFolder) {
    TempFolder folder;
    folder.write("a.ini", "[S]\r\nk=1\r\n");
    const LockHolder other(folder.path());
    const auto started = std::chrono::steady_clock::now();
    SetLastError(ERROR_SUCCESS);
    EXPECT_EQ(WritePrivateProfileStringA("S", "k", "2", folder.path("a.ini")), FALSE);
    EXPECT_EQ(GetLastError(), ERROR_SHARING_VIOLATION);
    const auto waited = std::chrono::steady_clock::now() - started;
    EXPECT_GE(waited, std::chrono::seconds(2));
    EXPECT_LE(waited, std::chrono::seconds(5));
    EXPECT_EQ(folder.read("a.ini"), "[S]\r\nk=1\r\n");
}

TEST(PrivateProfile, FailsWithoutTouchingAnythingWhereTheFileCannotBeWritten) {
    const struct {
        const char* what;
        const char* name;
        DWORD error;
        unsigned mode = 0444;  // of readonly.ini
    } cases[] = {
        {"folder in place of the file", "folder.ini", ERROR_ACCESS_DENIED},
        {"missing folder", "nofolder/a.ini", ERROR_PATH_NOT_FOUND},
        {"read-only file", "readonly.ini", ERROR_ACCESS_DENIED},
        {"path ending in a separator", "folder.ini\\", ERROR_PATH_NOT_FOUND},
        // In a folder the user may write, where a rename would replace it.
        {"root's file, written by an ordinary user", "readonly.ini", ERROR_ACCESS_DENIED, 0644},
    };
    for (const auto& c : cases) {
        if (c.mode == 0644 && !OrdinaryUser::available()) continue;
        TempFolder folder;
        std::filesystem::permissions(folder.path(), std::filesystem::perms::all);
        std::filesystem::create_directory(folder.path("folder.ini"));
        folder.write("folder.ini/inside", "[S]\r\n");
        folder.write("readonly.ini", "[S]\r\n");
        std::filesystem::permissions(folder.path("readonly.ini"), std::filesystem::perms(c.mode));
        SetLastError(ERROR_SUCCESS);
        {
            const std::optional<OrdinaryUser> user = c.mode == 0644 ? std::make_optional<OrdinaryUser>() : std::nullopt;
            EXPECT_EQ(WritePrivateProfileStringA("S", "k", "v", folder.path(c.name)), FALSE) << c.what;
        }
        EXPECT_EQ(GetLastError(), c.error) << c.what;
        EXPECT_EQ(folder.names(), (std::set<std::string>{"folder.ini", "readonly.ini"})) << c.what;
        EXPECT_EQ(folder.read("folder.ini/inside"), "[S]\r\n") << c.what;
        EXPECT_EQ(folder.read("readonly.ini"), "[S]\r\n") << c.what;
        struct stat kept {};
        ASSERT_EQ(::stat(folder.path("readonly.ini").c_str(), &kept), 0);
        EXPECT_EQ(kept.st_uid, 0u) << c.what;
        EXPECT_EQ(kept.st_mode & 07777, c.mode) << c.what;
    }
}

TEST(PrivateProfile, ConcurrentWritersInTwoProcessesLoseNoKey) {
    TempFolder folder;
    const auto file = folder.path("shared.ini");
    constexpr int keysPerWriter = 300;
    int start[2];
    ASSERT_EQ(::pipe(start), 0);
    std::vector<pid_t> writers;
    for (const char* prefix : {"a", "b"}) {
        pid_t pid = ::fork();
        ASSERT_GE(pid, 0);
        if (pid == 0) {
            // Both writers wait for the parent to close the pipe, then race.
            ::close(start[1]);
            char ignored;
            (void)::read(start[0], &ignored, 1);
            for (int i = 0; i < keysPerWriter; ++i) {
                auto key = prefix + std::to_string(i);
                if (!WritePrivateProfileStringA("S", key, "v" + key, file)) ::_exit(1);
            }
            ::_exit(0);
        }
        writers.push_back(pid);
    }
    ::close(start[0]);
    ::close(start[1]);
    for (pid_t pid : writers) {
        int status = 0;
        ASSERT_EQ(::waitpid(pid, &status, 0), pid);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    }

    const auto bytes = folder.read("shared.ini");
    EXPECT_TRUE(bytes.starts_with("[S]\r\n"));
    EXPECT_EQ(std::ranges::count(bytes, '\n'), 1 + 2 * keysPerWriter);
    for (const char* prefix : {"a", "b"}) {
        for (int i = 0; i < keysPerWriter; ++i) {
            auto key = prefix + std::to_string(i);
            EXPECT_EQ(profile::findValue(bytes, "S", key, profile::Encoding::Windows1252), "v" + key);
        }
    }
    EXPECT_EQ(folder.names(), std::set<std::string>{"shared.ini"});
}

}  // namespace
