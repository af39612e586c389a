#include <gtest/gtest.h>

#include <filesystem>
#include <future>
#include <optional>
#include <string>
#include <thread>

#include "platform/win32/ProcessApi.h"
#include "tests/support/Eventually.h"
#include "tests/support/TempFolder.h"

namespace {

using namespace win32;

const std::string recorder = TEST_RECORDING_PROGRAM;
// Generous for a slow machine; a wait ends as soon as the process does.
constexpr DWORD deadline = 60000;

PROCESS_INFORMATION start(const std::string& line, DWORD flags = STARTF_USESHOWWINDOW, std::uint16_t show = 0) {
    STARTUPINFOA startup;
    startup.dwFlags = flags;
    startup.wShowWindow = show;
    PROCESS_INFORMATION information;
    EXPECT_TRUE(CreateProcessA(line, TRUE, NORMAL_PRIORITY_CLASS, startup, information)) << line;
    return information;
}

TEST(CreateProcessA, PassesTheCommandLineUnchangedAndClosesEachHandleOnce) {
    struct Case {
        DWORD flags;
        std::uint16_t show;
        const char* seen;  // the window wish the program sees
    };
    for (const Case c : {Case{STARTF_USESHOWWINDOW, 0, "0"}, Case{STARTF_USESHOWWINDOW, 1, "1"}, Case{0, 0, "1"}}) {
        TempFolder folder;
        const auto record = folder.path("Protokoll 1");
        const auto information = start("\"" + recorder + "\" \"" + record +
                                           R"(" "C:\Programme\Kalmora\Brief 1.pdf" background "D:\Kopf bogen\L1.pdf")",
                                       c.flags, c.show);
        EXPECT_NE(information.hProcess, information.hThread);

        EXPECT_EQ(WaitForSingleObject(information.hProcess, deadline), WAIT_OBJECT_0);
        // The end stays visible to later waits, on either handle.
        EXPECT_EQ(WaitForSingleObject(information.hProcess, 0), WAIT_OBJECT_0);
        EXPECT_EQ(WaitForSingleObject(information.hThread, 0), WAIT_OBJECT_0);
        EXPECT_EQ(folder.read("Protokoll 1"), recorder + "\n" + record +
                                                  "\nC:\\Programme\\Kalmora\\Brief 1.pdf\nbackground\n"
                                                  "D:\\Kopf bogen\\L1.pdf\nKALMORA_SHOW_WINDOW=" +
                                                  c.seen + "\n");
        EXPECT_TRUE(CloseHandle(information.hProcess));
        EXPECT_TRUE(CloseHandle(information.hThread));
        EXPECT_FALSE(CloseHandle(information.hProcess));
        EXPECT_EQ(GetLastError(), ERROR_INVALID_HANDLE);
        EXPECT_EQ(WaitForSingleObject(information.hThread, 0), WAIT_FAILED);
    }
}

TEST(CreateProcessA, WaitTimesOutWhileTheProgramRunsAndEndsForEveryWaiter) {
    TempFolder folder;
    // It cannot end before the test creates the file.
    const auto information =
        start(R"(sh -c "while ! test -e ')" + folder.path("weiter") + R"('; do sleep 0.01; done")");
    EXPECT_EQ(WaitForSingleObject(information.hProcess, 10), WAIT_TIMEOUT);
    EXPECT_EQ(WaitForSingleObject(information.hThread, 0), WAIT_TIMEOUT);
    auto other = std::async(std::launch::async, [&] { return WaitForSingleObject(information.hThread, INFINITE); });

    folder.write("weiter", "");

    EXPECT_EQ(WaitForSingleObject(information.hProcess, deadline), WAIT_OBJECT_0);
    ASSERT_EQ(other.wait_for(std::chrono::milliseconds(deadline)), std::future_status::ready);
    EXPECT_EQ(other.get(), WAIT_OBJECT_0);
    CloseHandle(information.hThread);
    CloseHandle(information.hProcess);
}

TEST(GetExitCodeProcess, TellsHowTheProgramEndedAndStillActiveWhileItRuns) {
    struct Case {
        const char* line;
        DWORD code;
    };
    // A forced end is never mistaken for success.
    for (const Case c :
         {Case{"sh -c \"exit 0\"", 0}, Case{"sh -c \"exit 3\"", 3}, Case{"sh -c \"kill -9 $$\"", 128 + 9}}) {
        SCOPED_TRACE(c.line);
        const auto information = start(c.line);
        ASSERT_EQ(WaitForSingleObject(information.hProcess, deadline), WAIT_OBJECT_0);
        DWORD code = STILL_ACTIVE;
        EXPECT_TRUE(GetExitCodeProcess(information.hProcess, code));
        EXPECT_EQ(code, c.code);
        // Asked again, and through the other handle: the same answer.
        EXPECT_TRUE(GetExitCodeProcess(information.hThread, code));
        EXPECT_EQ(code, c.code);
        CloseHandle(information.hThread);
        CloseHandle(information.hProcess);
        EXPECT_FALSE(GetExitCodeProcess(information.hProcess, code));
        EXPECT_EQ(GetLastError(), ERROR_INVALID_HANDLE);
    }

    TempFolder folder;
    const auto running =
        start(R"(sh -c "while ! test -e ')" + folder.path("weiter") + R"('; do sleep 0.01; done; exit 5")");
    DWORD code = 0;
    EXPECT_TRUE(GetExitCodeProcess(running.hProcess, code));
    EXPECT_EQ(code, STILL_ACTIVE);
    folder.write("weiter", "");
    // Asked without a wait before: the end is found all the same.
    eventually([&] { return GetExitCodeProcess(running.hProcess, code) && code != STILL_ACTIVE; },
               std::chrono::seconds(60), std::chrono::milliseconds(10));
    EXPECT_EQ(code, 5u);
    CloseHandle(running.hThread);
    CloseHandle(running.hProcess);
}

TEST(CreateProcessA, FailsWithFileNotFoundForAMissingProgram) {
    for (const char* line : {R"("C:\fehlt\pdftk.exe" a output b)", "kalmora-fehlt.exe /x", ""}) {
        PROCESS_INFORMATION information;
        EXPECT_FALSE(CreateProcessA(line, TRUE, NORMAL_PRIORITY_CLASS, STARTUPINFOA{}, information)) << line;
        EXPECT_EQ(GetLastError(), ERROR_FILE_NOT_FOUND) << line;
        EXPECT_EQ(information.hProcess, 0);
        EXPECT_EQ(WaitForSingleObject(information.hProcess, 0), WAIT_FAILED);
    }
}

TEST(MoveFileA, RenamesOnlyWhenTheDestinationIsFree) {
    using Content = std::optional<std::string>;
    struct Case {
        Content source;  // the files before and, after a failure, after
        Content destination;
        const char* destinationName;  // passed with "\" separators
        DWORD error;
    };
    const Case cases[] = {
        {"S1", std::nullopt, "R.pdf", ERROR_SUCCESS},
        {"S1", std::nullopt, "Ablage/R 1.pdf", ERROR_SUCCESS},
        {"S1", "altes R", "R.pdf", ERROR_ALREADY_EXISTS},
        {std::nullopt, std::nullopt, "R.pdf", ERROR_FILE_NOT_FOUND},
        {std::nullopt, "altes R", "R.pdf", ERROR_FILE_NOT_FOUND},
        {"S1", std::nullopt, "fehlt/R.pdf", ERROR_PATH_NOT_FOUND},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.destinationName + std::string(c.destination ? " exists" : ""));
        TempFolder folder;
        std::filesystem::create_directory(folder.path("Ablage"));
        if (c.source) folder.write("A.pdf.pdf", *c.source);
        if (c.destination) folder.write(c.destinationName, *c.destination);
        SetLastError(ERROR_SUCCESS);

        const bool moved = MoveFileA(folder.windowsPath("A.pdf.pdf"), folder.windowsPath(c.destinationName));

        EXPECT_EQ(moved, c.error == ERROR_SUCCESS);
        EXPECT_EQ(GetLastError(), c.error);
        const auto contentOf = [&](const char* name) -> Content {
            return std::filesystem::exists(folder.path(name)) ? Content(folder.read(name)) : std::nullopt;
        };
        EXPECT_EQ(contentOf("A.pdf.pdf"), moved ? std::nullopt : c.source);
        EXPECT_EQ(contentOf(c.destinationName), moved ? c.source : c.destination);
    }
}

}  // namespace
