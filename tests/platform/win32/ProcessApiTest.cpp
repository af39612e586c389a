#include <gtest/gtest.h>

#include <filesystem>
#include <future>
#include <optional>
#include <string>

#include "TempFolder.h"
#include "platform/win32/ProcessApi.h"

namespace {

using namespace win32;

const std::string recorder = TEST_RECORDING_PROGRAM;
// Generous, so that a slow machine never fails a test; a wait that needs
// less ends as soon as the process does.
constexpr DWORD deadline = 60000;

std::string quoted(const std::string& text)
{
    return "\"" + text + "\"";
}

STARTUPINFOA startup(DWORD flags, std::uint16_t showWindow)
{
    STARTUPINFOA info;
    info.dwFlags = flags;
    info.wShowWindow = showWindow;
    return info;
}

TEST(CreateProcessA, StartsTheCommandLineUnchangedAndEndsWithBothHandlesClosed)
{
    TempFolder folder;
    struct Case {
        STARTUPINFOA startup;
        const char* seen;  // the window wish the program sees
    };
    const Case cases[] = {
        {startup(STARTF_USESHOWWINDOW, 0), "0"},
        {startup(STARTF_USESHOWWINDOW, 1), "1"},
        // Without the flag the program shows its window as it likes: shown.
        {startup(0, 0), "1"},
    };
    for (const auto& c : cases) {
        const std::string name = std::string("Protokoll ") + c.seen + (c.startup.dwFlags ? "" : " ohne");
        // The recorder is a Linux program: its own file takes a host path.
        const auto line = quoted(recorder) + " " + quoted(folder.path(name)) +
                          R"( "C:\Program Files\Kalmora\Brief 1.pdf" background "D:\Kopf bogen\L1.pdf")";
        PROCESS_INFORMATION information;
        ASSERT_TRUE(CreateProcessA(line, TRUE, NORMAL_PRIORITY_CLASS, c.startup, information)) << line;
        EXPECT_NE(information.hProcess, 0);
        EXPECT_NE(information.hThread, 0);
        EXPECT_NE(information.hProcess, information.hThread);
        EXPECT_GT(information.dwProcessId, 0u);

        EXPECT_EQ(WaitForSingleObject(information.hProcess, deadline), WAIT_OBJECT_0);
        // The end stays visible to every later wait, on either handle.
        EXPECT_EQ(WaitForSingleObject(information.hProcess, 0), WAIT_OBJECT_0);
        EXPECT_EQ(WaitForSingleObject(information.hThread, 0), WAIT_OBJECT_0);
        EXPECT_EQ(folder.read(name), recorder + "\n" + folder.path(name) +
                                         "\nC:\\Program Files\\Kalmora\\Brief 1.pdf\nbackground\n"
                                         "D:\\Kopf bogen\\L1.pdf\nKALMORA_SHOW_WINDOW=" + c.seen + "\n");

        EXPECT_TRUE(CloseHandle(information.hProcess));
        EXPECT_TRUE(CloseHandle(information.hThread));
        SetLastError(ERROR_SUCCESS);
        EXPECT_FALSE(CloseHandle(information.hProcess));
        EXPECT_EQ(GetLastError(), ERROR_INVALID_HANDLE);
        EXPECT_EQ(WaitForSingleObject(information.hProcess, 0), WAIT_FAILED);
    }
}

TEST(CreateProcessA, WaitTimesOutWhileTheProgramRunsAndEndsForEveryWaiter)
{
    TempFolder folder;
    // Runs until the test creates the file: it cannot end before.
    const auto line = R"(sh -c "while ! test -e ')" + folder.path("weiter") + R"('; do sleep 0.01; done")";
    PROCESS_INFORMATION information;
    ASSERT_TRUE(CreateProcessA(line, TRUE, NORMAL_PRIORITY_CLASS, startup(STARTF_USESHOWWINDOW, 0), information));

    EXPECT_EQ(WaitForSingleObject(information.hProcess, 10), WAIT_TIMEOUT);
    EXPECT_EQ(WaitForSingleObject(information.hProcess, 0), WAIT_TIMEOUT);
    EXPECT_EQ(WaitForSingleObject(information.hThread, 10), WAIT_TIMEOUT);
    // A second thread waits without limit on the thread handle meanwhile.
    auto other = std::async(std::launch::async, [&] { return WaitForSingleObject(information.hThread, INFINITE); });

    folder.write("weiter", "");

    EXPECT_EQ(WaitForSingleObject(information.hProcess, deadline), WAIT_OBJECT_0);
    ASSERT_EQ(other.wait_for(std::chrono::milliseconds(deadline)), std::future_status::ready);
    EXPECT_EQ(other.get(), WAIT_OBJECT_0);
    EXPECT_TRUE(CloseHandle(information.hThread));
    EXPECT_TRUE(CloseHandle(information.hProcess));
}

TEST(CreateProcessA, FailsWithFileNotFoundForAMissingProgram)
{
    TempFolder folder;
    for (const std::string& line :
         {quoted(folder.windowsPath("fehlt\\pdftk.exe")) + " a output b", std::string("kalmora-fehlt.exe /x"),
          std::string("")}) {
        SetLastError(ERROR_SUCCESS);
        PROCESS_INFORMATION information;
        EXPECT_FALSE(CreateProcessA(line, TRUE, NORMAL_PRIORITY_CLASS, startup(STARTF_USESHOWWINDOW, 0), information))
            << line;
        EXPECT_EQ(GetLastError(), ERROR_FILE_NOT_FOUND) << line;
        EXPECT_EQ(information.hProcess, 0);
        EXPECT_EQ(information.hThread, 0);
    }
}

TEST(WaitForSingleObject, FailsForHandlesNeverOpened)
{
    for (const HANDLE handle : {HANDLE{0}, HANDLE{-1}, HANDLE{0x7ffff}}) {
        SetLastError(ERROR_SUCCESS);
        EXPECT_EQ(WaitForSingleObject(handle, 0), WAIT_FAILED) << handle;
        EXPECT_EQ(GetLastError(), ERROR_INVALID_HANDLE);
        EXPECT_FALSE(CloseHandle(handle)) << handle;
    }
}

TEST(MoveFileA, RenamesOnlyWhenTheDestinationIsFree)
{
    using Content = std::optional<std::string>;
    struct Case {
        const char* what;
        Content source;  // the files before: nothing when missing
        Content destination;
        const char* destinationName;  // inside the test folder, passed with "\" separators
        BOOL result;
        DWORD error;
    };
    const Case cases[] = {
        {"free destination", "S1", std::nullopt, "R.pdf", TRUE, ERROR_SUCCESS},
        {"into a subfolder", "S1", std::nullopt, "Ablage/R 1.pdf", TRUE, ERROR_SUCCESS},
        {"destination exists", "S1", "altes R", "R.pdf", FALSE, ERROR_ALREADY_EXISTS},
        {"source missing", std::nullopt, std::nullopt, "R.pdf", FALSE, ERROR_FILE_NOT_FOUND},
        {"source missing, destination exists", std::nullopt, "altes R", "R.pdf", FALSE, ERROR_FILE_NOT_FOUND},
        {"destination folder missing", "S1", std::nullopt, "fehlt/R.pdf", FALSE, ERROR_PATH_NOT_FOUND},
    };
    for (const auto& c : cases) {
        TempFolder folder;
        std::filesystem::create_directory(folder.path("Ablage"));
        if (c.source)
            folder.write("A.pdf.pdf", *c.source);
        if (c.destination)
            folder.write(c.destinationName, *c.destination);
        SetLastError(ERROR_SUCCESS);

        EXPECT_EQ(MoveFileA(folder.windowsPath("A.pdf.pdf"), folder.windowsPath(c.destinationName)), c.result)
            << c.what;

        EXPECT_EQ(GetLastError(), c.error) << c.what;
        if (c.result) {
            EXPECT_FALSE(std::filesystem::exists(folder.path("A.pdf.pdf"))) << c.what;
            EXPECT_EQ(folder.read(c.destinationName), *c.source) << c.what;
            continue;
        }
        // A failed move leaves both files as they were.
        EXPECT_EQ(std::filesystem::exists(folder.path("A.pdf.pdf")), c.source.has_value()) << c.what;
        if (c.source) {
            EXPECT_EQ(folder.read("A.pdf.pdf"), *c.source) << c.what;
        }
        EXPECT_EQ(std::filesystem::exists(folder.path(c.destinationName)), c.destination.has_value()) << c.what;
        if (c.destination) {
            EXPECT_EQ(folder.read(c.destinationName), *c.destination) << c.what;
        }
    }
}

}  // namespace
