#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include "ProgramRun.h"
#include "platform/office/pages/TextPdf.h"
#include "platform/win32/ProcessApi.h"
#include "tests/support/PdfText.h"
#include "tests/support/ScopedVariable.h"
#include "tests/support/TempFolder.h"

namespace {

using kalmora::testing::endsSoon;
using kalmora::testing::runProgram;

const std::string launcher = PDFTK_LAUNCHER;
constexpr win32::DWORD deadline = 120000;

// Starts a command line as the add-in's ShellWait does: hidden.
win32::PROCESS_INFORMATION startHidden(const std::string& line) {
    win32::STARTUPINFOA startup;
    startup.dwFlags = win32::STARTF_USESHOWWINDOW;
    win32::PROCESS_INFORMATION information;
    EXPECT_TRUE(win32::CreateProcessA(line, win32::TRUE, win32::NORMAL_PRIORITY_CLASS, startup, information)) << line;
    return information;
}

void runHidden(const std::string& line) {
    const auto information = startHidden(line);
    EXPECT_EQ(win32::WaitForSingleObject(information.hProcess, deadline), win32::WAIT_OBJECT_0) << line;
    win32::CloseHandle(information.hThread);
    win32::CloseHandle(information.hProcess);
}

// The three command lines of a letterhead run with the system's pdftk, in
// folders with blanks, every path spelled with "\".
TEST(PdftkExe, LaysLetterheadsUnderThePagesAndJoinsThem) {
    const ScopedVariable systemPdftk("KALMORA_PDFTK", std::nullopt);
    TempFolder folder;
    std::filesystem::create_directories(folder.path("Add In"));
    std::filesystem::create_directories(folder.path("Mein PDF"));
    for (const char* program : {"pdftk.exe", "pdftk-guard"})
        std::filesystem::copy_file(std::filesystem::path(launcher).parent_path() / program,
                                   folder.path("Add In/") + program);
    folder.write("Mein PDF/Brief_$1.pdf", office::textToPdf("\n\nErste Seite"));
    folder.write("Mein PDF/Brief_$2.pdf", office::textToPdf("\n\nZweite Seite\f\n\nDritte Seite"));
    folder.write("Kopf 1.pdf", office::textToPdf("Kopfbogen Eins"));
    folder.write("Kopf 2.pdf", office::textToPdf("Kopfbogen Zwei"));
    const auto at = [&](const std::string& name) { return "\"" + folder.windowsPath(name) + "\""; };
    const auto exe = at("Add In/pdftk.exe");

    runHidden(exe + " " + at("Mein PDF/Brief_$1.pdf") + " background " + at("Kopf 1.pdf") + " output " +
              at("Mein PDF/Brief_$1.pdf.pdf"));
    runHidden(exe + " " + at("Mein PDF/Brief_$2.pdf") + " background " + at("Kopf 2.pdf") + " output " +
              at("Mein PDF/Brief_$2.pdf.pdf"));
    runHidden(exe + " A=" + at("Mein PDF/Brief_$1.pdf.pdf") + " B=" + at("Mein PDF/Brief_$2.pdf.pdf") +
              " cat A B output " + at("Mein PDF/Brief.pdf"));

    const auto result = folder.path("Mein PDF/Brief.pdf");
    ASSERT_EQ(pdf::pageCount(result), 3);
    EXPECT_EQ(pdf::pageText(result, 1), "Kopfbogen Eins Erste Seite");
    EXPECT_EQ(pdf::pageText(result, 2), "Kopfbogen Zwei Zweite Seite");
    EXPECT_EQ(pdf::pageText(result, 3), "Kopfbogen Zwei Dritte Seite");
}

TEST(PdftkExe, PassesTheArgumentsWithSlashesAndEndsWithTheExitCode) {
    TempFolder folder;
    const std::string recorder = TEST_RECORDING_PROGRAM;  // exits with 7
    const std::string missing = folder.path("fehlt/pdftk");
    // A pdftk that a signal ends: the code says so, as a shell would.
    folder.write("stirbt", "#!/bin/sh\nkill -9 $$\n");
    std::filesystem::permissions(folder.path("stirbt"), std::filesystem::perms::owner_all);
    struct Case {
        std::string program;
        int exitCode;
        std::string message;
    };
    for (const auto& c :
         {Case{recorder, 7, ""},
          Case{missing, 127, "pdftk.exe: " + missing + " konnte nicht gestartet werden: Die Datei fehlt.\n"},
          Case{folder.path("stirbt"), 128 + SIGKILL, ""}}) {
        const ScopedVariable program("KALMORA_PDFTK", c.program);
        const auto result = runProgram(
            {launcher, folder.windowsPath("Protokoll"), "A=C:\\Ein Ordner\\a.pdf", "cat", "output", "\\\\x"});
        EXPECT_EQ(result.exitCode, c.exitCode);
        EXPECT_EQ(result.err, c.message);
    }
    EXPECT_EQ(folder.read("Protokoll"), recorder + "\n" + folder.path("Protokoll") +
                                            "\nA=C:/Ein Ordner/a.pdf\ncat\noutput\n//x\nKALMORA_SHOW_WINDOW=(unset)\n");
}

int parentOf(int pid) {
    std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
    std::string line;
    std::getline(stat, line);
    // "pid (comm) S ppid ...": the parent follows the state.
    const auto close = line.rfind(')');
    return close == std::string::npos ? 0 : std::atoi(line.c_str() + close + 4);
}

// Ends what a failed test leaves running.
struct LeftOver {
    std::vector<int> pids;
    ~LeftOver() {
        for (const int pid : pids) {
            if (pid > 0 && kalmora::testing::isRunning(pid)) ::kill(pid, SIGKILL);
        }
    }
};

// Taskkill finds the launcher alone by its name; pdftk goes with it, and so
// does what pdftk started: Debian's pdftk is a script whose Java process is
// its child, as the sleep is here. The first guard process may be killed as
// well, when taskkill listed it just after its fork under the launcher's name.
TEST(PdftkExe, EndsWithEverythingItStartedWhenTaskkillEndsIt) {
    enum class Killed { ByTaskkill, FirstGuard };
    for (const auto killed : {Killed::ByTaskkill, Killed::FirstGuard}) {
        TempFolder folder;
        // The grandchild lets go of the test's output: should it outlive the
        // test, ctest would wait for it to close the pipe.
        folder.write("pdftk",
                     "#!/bin/sh\necho $$ > \"$0.partial\"\nsleep 120 </dev/null >/dev/null 2>&1 &\n"
                     "echo $! >> \"$0.partial\"\nmv \"$0.partial\" \"$0.pids\"\nwait\n");
        std::filesystem::permissions(folder.path("pdftk"), std::filesystem::perms::owner_all);
        const ScopedVariable program("KALMORA_PDFTK", folder.path("pdftk"));
        const auto information = startHidden("\"" + launcher + "\" a background b output c");
        eventually([&] { return std::filesystem::exists(folder.path("pdftk.pids")); }, std::chrono::seconds(60),
                   std::chrono::milliseconds(10));
        std::ifstream pids(folder.path("pdftk.pids"));
        int script = 0;
        int grandchild = 0;
        pids >> script >> grandchild;
        const int watcher = parentOf(script);
        const LeftOver leftOver{{parentOf(watcher), watcher, script, grandchild}};
        ASSERT_GT(grandchild, 0);
        EXPECT_EQ(win32::WaitForSingleObject(information.hProcess, 10), win32::WAIT_TIMEOUT);

        if (killed == Killed::ByTaskkill) {
            const auto result = runProgram({TASKKILL_PROGRAM, "/f", "/im", "PDFtk.exe"});
            EXPECT_EQ(result.exitCode, 0) << result.err;
        } else {
            ::kill(leftOver.pids.front(), SIGKILL);
        }

        EXPECT_EQ(win32::WaitForSingleObject(information.hProcess, deadline), win32::WAIT_OBJECT_0);
        for (const int pid : leftOver.pids) EXPECT_TRUE(endsSoon(pid)) << pid;
        win32::CloseHandle(information.hThread);
        win32::CloseHandle(information.hProcess);
    }
}

}  // namespace
