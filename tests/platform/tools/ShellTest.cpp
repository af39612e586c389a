#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#include "ProgramRun.h"
#include "platform/com/Error.h"
#include "platform/runtime/Interaction.h"
#include "platform/win32/CommandLine.h"
#include "platform/win32/Process.h"
#include "tests/platform/com/ErrorCapture.h"
#include "tests/support/TempFolder.h"

namespace {

using com::testing::raisedBy;

const std::string recorder = TEST_RECORDING_PROGRAM;

std::string waitForFile(const TempFolder& folder, const std::string& name) {
    eventually([&] { return std::filesystem::exists(folder.path(name)); }, std::chrono::seconds(30),
               std::chrono::milliseconds(10));
    return folder.read(name);
}

TEST(Shell, StartsTheProgramWithoutWaitingAndReturnsItsProcessId) {
    TempFolder folder;
    struct Case {
        int style;
        const char* seen;
    };
    for (const Case c : {Case{runtime::vbHide, "0"}, Case{runtime::vbNormalFocus, "1"}, Case{6, "1"}}) {
        const std::string name = std::string("record ") + std::to_string(c.style);
        const int pid = runtime::Shell("\"" + recorder + "\" \"" + folder.path(name) + "\" x", c.style);
        EXPECT_GT(pid, 0);
        EXPECT_EQ(waitForFile(folder, name),
                  recorder + "\n" + folder.path(name) + "\nx\nKALMORA_SHOW_WINDOW=" + c.seen + "\n");
    }
}

TEST(Shell, RaisesFileNotFoundForAProgramThatCannotStart) {
    TempFolder folder;
    for (const std::string& line : {"\"" + folder.path("fehlt.exe") + "\" /a", std::string("kalmora-fehlt /a")}) {
        const auto raised = raisedBy([&] { runtime::Shell(line, runtime::vbHide); });
        ASSERT_TRUE(raised) << line;
        EXPECT_EQ(raised->number, 53);
        EXPECT_EQ(raised->description, "Datei nicht gefunden");
    }
}

// What the add-in does after a failed start of the PDF printer.
TEST(Shell, RunsTaskkillByItsWindowsCommandLine) {
    TempFolder folder;
    const std::string name = "Haengt " + std::to_string(::getpid()) + ".exe";
    std::filesystem::copy_file(win32::findProgram("sleep"), folder.path(name));
    win32::StartedProcess sleeper;
    ASSERT_TRUE(win32::startProcess({"\"" + folder.path(name) + "\" 300", win32::SW_HIDE}, sleeper));

    runtime::Shell("taskkill /f /im \"" + name + "\"", runtime::vbHide);

    EXPECT_TRUE(kalmora::testing::endsSoon(sleeper.pid));
}

}  // namespace
