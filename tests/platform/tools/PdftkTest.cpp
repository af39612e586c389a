#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <thread>

#include "ProgramRun.h"
#include "platform/office/TextPdf.h"
#include "platform/win32/ProcessApi.h"
#include "tests/support/PdfText.h"
#include "tests/support/TempFolder.h"

namespace {

using kalmora::testing::endsSoon;
using kalmora::testing::runProgram;

const std::string launcher = PDFTK_LAUNCHER;
const std::string taskkill = TASKKILL_PROGRAM;
const std::string recorder = TEST_RECORDING_PROGRAM;

constexpr win32::DWORD deadline = 120000;

std::string windows(std::string path)
{
    for (char& c : path) {
        if (c == '/')
            c = '\\';
    }
    return path;
}

std::string q(const std::string& text)
{
    return "\"" + text + "\"";
}

// The program pdftk.exe runs, for one test.
class PdftkProgram {
public:
    explicit PdftkProgram(const std::optional<std::string>& program)
    {
        if (const char* old = std::getenv("KALMORA_PDFTK"))
            m_old = old;
        set(program);
    }
    ~PdftkProgram() { set(m_old); }
    PdftkProgram(const PdftkProgram&) = delete;
    PdftkProgram& operator=(const PdftkProgram&) = delete;

private:
    static void set(const std::optional<std::string>& program)
    {
        if (program)
            ::setenv("KALMORA_PDFTK", program->c_str(), 1);
        else
            ::unsetenv("KALMORA_PDFTK");
    }

    std::optional<std::string> m_old;
};

// Runs a command line as the add-in's ShellWait does: hidden, to its end.
void runHidden(const std::string& commandLine)
{
    win32::STARTUPINFOA startup;
    startup.dwFlags = win32::STARTF_USESHOWWINDOW;
    win32::PROCESS_INFORMATION information;
    ASSERT_TRUE(win32::CreateProcessA(commandLine, win32::TRUE, win32::NORMAL_PRIORITY_CLASS, startup, information))
        << commandLine;
    EXPECT_EQ(win32::WaitForSingleObject(information.hProcess, deadline), win32::WAIT_OBJECT_0) << commandLine;
    win32::CloseHandle(information.hThread);
    win32::CloseHandle(information.hProcess);
}

// The three command lines of a letterhead run, with the system's pdftk, in
// folders with blanks, every path spelled with "\".
TEST(PdftkExe, LaysLetterheadsUnderThePagesAndJoinsThem)
{
    PdftkProgram system(std::nullopt);
    TempFolder folder;
    std::filesystem::create_directories(folder.path("Add In"));
    std::filesystem::copy_file(launcher, folder.path("Add In/pdftk.exe"));
    std::filesystem::copy_file(std::filesystem::path(launcher).parent_path() / "pdftk-guard",
                               folder.path("Add In/pdftk-guard"));
    std::filesystem::create_directories(folder.path("Mein PDF"));
    folder.write("Mein PDF/Brief_$1.pdf", office::textToPdf("\n\nErste Seite"));
    folder.write("Mein PDF/Brief_$2.pdf", office::textToPdf("\n\nZweite Seite\f\n\nDritte Seite"));
    folder.write("Kopf 1.pdf", office::textToPdf("Kopfbogen Eins"));
    folder.write("Kopf 2.pdf", office::textToPdf("Kopfbogen Zwei"));
    const auto exe = q(windows(folder.path("Add In/pdftk.exe")));
    const auto at = [&](const std::string& name) { return q(windows(folder.path(name))); };

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

TEST(PdftkExe, PassesTheArgumentsWithSlashesAndEndsWithTheExitCode)
{
    TempFolder folder;
    struct Case {
        std::optional<std::string> program;
        int exitCode;
        std::string message;  // on stderr
    };
    const Case cases[] = {
        // The recording program exits with 7.
        {recorder, 7, ""},
        {folder.path("fehlt/pdftk"), 127,
         "pdftk.exe: " + folder.path("fehlt/pdftk") + " konnte nicht gestartet werden: No such file or directory\n"},
    };
    for (const auto& c : cases) {
        PdftkProgram program(c.program);
        const auto result = runProgram(
            {launcher, windows(folder.path("Protokoll")), "A=C:\\Ein Ordner\\a.pdf", "cat", "A", "output", "\\\\x"});
        EXPECT_EQ(result.exitCode, c.exitCode);
        EXPECT_EQ(result.err, c.message);
    }
    EXPECT_EQ(folder.read("Protokoll"), recorder + "\n" + folder.path("Protokoll") +
                                            "\nA=C:/Ein Ordner/a.pdf\ncat\nA\noutput\n//x\nKALMORA_SHOW_WINDOW=(unset)\n");
}

int pidFrom(std::istream& in)
{
    int pid = 0;
    in >> pid;
    return pid;
}

int parentOf(int pid)
{
    std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
    std::string line;
    std::getline(stat, line);
    // "pid (comm) S ppid ...": the parent follows the state.
    const auto close = line.rfind(')');
    return close == std::string::npos ? 0 : std::atoi(line.c_str() + close + 4);
}

// Taskkill ends only the launcher by its name; pdftk goes with it, and so
// does every process that pdftk started (Debian's pdftk is a script that
// runs Java as its child).
TEST(PdftkExe, EndsWithEverythingItStartedWhenTaskkillEndsIt)
{
    TempFolder folder;
    folder.write("pdftk", "#!/bin/sh\necho $$ > \"$0.partial\"\nsleep 300 &\necho $! >> \"$0.partial\"\n"
                          "mv \"$0.partial\" \"$0.pids\"\nwait\n");
    std::filesystem::permissions(folder.path("pdftk"), std::filesystem::perms::owner_all);
    PdftkProgram program(folder.path("pdftk"));
    win32::STARTUPINFOA startup;
    startup.dwFlags = win32::STARTF_USESHOWWINDOW;
    win32::PROCESS_INFORMATION information;
    ASSERT_TRUE(win32::CreateProcessA(q(launcher) + " a background b output c", win32::TRUE, win32::NORMAL_PRIORITY_CLASS,
                                      startup, information));
    const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(60);
    while (!std::filesystem::exists(folder.path("pdftk.pids")) && std::chrono::steady_clock::now() < until)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    std::ifstream pids(folder.path("pdftk.pids"));
    const int script = pidFrom(pids);
    const int grandchild = pidFrom(pids);
    const int guard = parentOf(script);
    ASSERT_GT(script, 0);
    ASSERT_GT(grandchild, 0);
    ASSERT_GT(guard, 0);
    EXPECT_EQ(win32::WaitForSingleObject(information.hProcess, 10), win32::WAIT_TIMEOUT);

    const auto killed = runProgram({taskkill, "/f", "/im", "PDFtk.exe"});

    EXPECT_EQ(killed.exitCode, 0) << killed.err;
    EXPECT_EQ(win32::WaitForSingleObject(information.hProcess, deadline), win32::WAIT_OBJECT_0);
    EXPECT_TRUE(endsSoon(guard));
    EXPECT_TRUE(endsSoon(script));
    EXPECT_TRUE(endsSoon(grandchild));
    win32::CloseHandle(information.hThread);
    win32::CloseHandle(information.hProcess);
}

}  // namespace
