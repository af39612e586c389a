#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <unistd.h>

#include <csignal>

#include <chrono>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "platform/win32/ChildReaper.h"
#include "platform/win32/CommandLine.h"
#include "platform/win32/Process.h"
#include "tests/support/Eventually.h"
#include "tests/support/TempFolder.h"

namespace {

using namespace std::chrono_literals;
using Parts = std::vector<std::string>;

const std::string recorder = TEST_RECORDING_PROGRAM;

struct SplitCase {
    const char* line;
    Parts parts;
};

TEST(SplitCommandLine, SplitsAsWindowsDoes) {
    const SplitCase cases[] = {
        // The three rules of the platform, after a program name.
        {R"(p "ab\"c" "\\" d)", {"p", "ab\"c", "\\", "d"}},
        {R"(p a\\\"b c d)", {"p", "a\\\"b", "c", "d"}},
        {R"(p a\\\\"b c" d e)", {"p", "a\\\\b c", "d", "e"}},
        // Blanks and tabs separate, runs of them count once.
        {"p\ta \t b\t", {"p", "a", "b"}},
        {"\t  p a", {"p", "a"}},
        // Quotes join, an empty pair is an argument, an unclosed one runs on.
        {R"(p "a b"c "" d)", {"p", "a bc", "", "d"}},
        {R"(p "a b  c)", {"p", "a b  c"}},
        {R"(p a\b\ "c\\")", {"p", "a\\b\\", "c\\"}},
        // The program name knows no escapes and ends at its closing quote.
        {R"("C:\Program Files\Tool\" /x)", {"C:\\Program Files\\Tool\\", "/x"}},
        {R"("C:\My Tools\tool.exe" "a b")", {"C:\\My Tools\\tool.exe", "a b"}},
        {R"(C:\Tools\a"b c)", {"C:\\Tools\\a\"b", "c"}},
        {R"("no end)", {"no end"}},
        {"taskkill /f /im PDFCreator.exe", {"taskkill", "/f", "/im", "PDFCreator.exe"}},
        {"", {}},
        {" \t ", {}},
    };
    for (const auto& c : cases) EXPECT_EQ(win32::splitCommandLine(c.line), c.parts) << c.line;
}

class ProgramFolder : public ::testing::Test {
protected:
    std::string makeProgram(const std::string& name, std::filesystem::perms perms = std::filesystem::perms::owner_all) {
        m_folder.write(name, "#!/bin/sh\n");
        std::filesystem::permissions(m_folder.path(name), perms);
        return m_folder.path(name);
    }

    TempFolder m_folder;
};

TEST_F(ProgramFolder, FindsProgramsByPathAndByTheWindowsExtension) {
    const auto tool = makeProgram("tool.exe");
    const auto plain = makeProgram("plain");
    makeProgram("readonly", std::filesystem::perms::owner_read);
    std::filesystem::create_directory(m_folder.path("folder"));

    EXPECT_EQ(win32::findProgram(tool), tool);
    EXPECT_EQ(win32::findProgram(m_folder.windowsPath("tool.exe")), tool);
    EXPECT_EQ(win32::findProgram(m_folder.path("tool")), tool);
    EXPECT_EQ(win32::findProgram(m_folder.path("plain.exe")), plain);
    EXPECT_EQ(win32::findProgram(m_folder.path("readonly")), "");
    EXPECT_EQ(win32::findProgram(m_folder.path("folder")), "");
    EXPECT_EQ(win32::findProgram(m_folder.path("missing")), "");
    EXPECT_EQ(win32::findProgram(""), "");
    // A bare name is looked up along PATH.
    EXPECT_TRUE(std::filesystem::equivalent(win32::findProgram("sh"), "/bin/sh"));
    EXPECT_EQ(win32::findProgram("kalmora-no-such-program"), "");
}

std::string quoted(const std::string& text) {
    return "\"" + text + "\"";
}

TEST(StartProcess, PassesTheArgumentsAndTheWindowWish) {
    TempFolder folder;
    struct Case {
        int showWindow;
        const char* seen;
    };
    for (const Case c : {Case{win32::SW_HIDE, "0"}, Case{win32::SW_SHOWNORMAL, "1"}}) {
        const auto record = folder.path(std::string("record-") + c.seen);
        win32::StartOptions options;
        options.commandLine = quoted(recorder) + " " + quoted(record) + R"( "a b" c\"d)";
        options.showWindow = c.showWindow;
        win32::StartedProcess started;
        ASSERT_TRUE(win32::startProcess(options, started));
        EXPECT_EQ(win32::ChildReaper::instance().wait(started.pid, 60s), 7);
        EXPECT_EQ(folder.read(std::filesystem::path(record).filename().string()),
                  recorder + "\n" + record + "\na b\nc\"d\nKALMORA_SHOW_WINDOW=" + c.seen + "\n");
    }
}

TEST(StartProcess, FailsWithFileNotFoundForAMissingProgram) {
    TempFolder folder;
    for (const std::string& line :
         {quoted(folder.path("missing.exe")) + " a", std::string("kalmora-no-such-program"), std::string("")}) {
        win32::SetLastError(win32::ERROR_SUCCESS);
        win32::StartedProcess started;
        EXPECT_FALSE(win32::startProcess({line, win32::SW_HIDE}, started)) << line;
        EXPECT_EQ(win32::GetLastError(), win32::ERROR_FILE_NOT_FOUND) << line;
        EXPECT_EQ(started.pid, -1);
    }
}

TEST(StartProcess, LeavesNoZombieForAProgramNobodyWaitsFor) {
    win32::StartedProcess started;
    ASSERT_TRUE(win32::startProcess({"true", win32::SW_HIDE}, started));
    const auto entry = "/proc/" + std::to_string(started.pid);
    // A zombie keeps its /proc entry until it is reaped.
    eventually([&] { return !std::filesystem::exists(entry); }, 60s, 10ms);
    EXPECT_FALSE(std::filesystem::exists(entry));
}

TEST(StartProcess, KeepsTheCallersFilesAndTheirLocksToItself) {
    TempFolder folder;
    folder.write("gesperrt", "x");
    // Opened as a careless host opens it: inheritable, with a lock.
    const int held = ::open(folder.path("gesperrt").c_str(), O_RDWR);
    ASSERT_GE(held, 0);
    ASSERT_EQ(::flock(held, LOCK_EX), 0);
    win32::StartedProcess started;
    ASSERT_TRUE(win32::startProcess({"sleep 300", win32::SW_HIDE}, started));
    ::close(held);

    const int other = ::open(folder.path("gesperrt").c_str(), O_RDWR);
    EXPECT_EQ(::flock(other, LOCK_EX | LOCK_NB), 0) << "the started program holds the caller's lock";
    ::close(other);
    ::kill(started.pid, SIGKILL);
    EXPECT_TRUE(win32::ChildReaper::instance().wait(started.pid, 60s));
}

}  // namespace
