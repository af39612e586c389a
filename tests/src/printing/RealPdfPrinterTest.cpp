// Printing through the real PDF printer: its automation class created by name
// from the class registry, and its own process writing the files.
#include <dlfcn.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <stop_token>
#include <string>
#include <thread>
#include <vector>

#include "platform/pdfprinter/InstanceLock.h"
#include "platform/pdfprinter/Spool.h"
#include "platform/world/World.h"
#include "tests/src/printing/RealPdfPrinter.h"
#include "tests/support/Eventually.h"
#include "tests/support/PdfText.h"

extern char** environ;

namespace {

namespace fs = std::filesystem;

// The export opened the three pages of the letter, each on its letterhead.
void expectTheLetterOpened(const std::vector<std::string>& shownToUser, const std::string& result) {
    EXPECT_EQ(shownToUser, (std::vector<std::string>{shown::choice + " -> 0", "open " + runtime::quoted(result)}));
    ASSERT_EQ(pdf::pageCount(result), 3);
    EXPECT_EQ(pdf::pageText(result, 1), "Seite eins ERSTER BRIEFKOPF");
    EXPECT_EQ(pdf::pageText(result, 2), "Seite zwei FOLGE BRIEFKOPF");
    EXPECT_EQ(pdf::pageText(result, 3), "Seite drei FOLGE BRIEFKOPF");
}

TEST_F(RealPdfPrinter, TheFirstLayoutFromClickToOpenedLetterheadPdf) {
    wordDocument();
    answers({"choice 0"});
    run(*word);
    expectTheLetterOpened(record(), folder.path("Dokumente/Angebot.pdf"));
    EXPECT_EQ(folder.names("Dokumente"), (std::set<std::string>{"Angebot.pdf"}));
    EXPECT_EQ(printers::defaultPrinter(), officePrinter);
}

// Another program prints a page to the PDF printer while the export waits
// for its following pages: it is no page of the result, and stays with the
// printer for its owner.
TEST_F(RealPdfPrinter, AnotherProgramsJobIsNoPageOfTheResultAndStaysWithThePrinter) {
    // One waits already: the export's clearing of the printer's jobs keeps it.
    printers::submit("PDFCreator", {"Notiz.txt", office::textToPdf("Notiz")});
    wordDocument();
    answers({"choice 0"});
    std::jthread otherProgram([&](std::stop_token stop) {
        // As soon as the first page is written, the other program's page comes.
        if (eventually([&] { return stop.stop_requested() || fs::exists(folder.path("Dokumente/Angebot_$1.pdf")); },
                       std::chrono::seconds(60)) &&
            !stop.stop_requested())
            printers::submit("PDFCreator", {"Rechnung.xls", office::textToPdf("Fremde Seite")});
    });
    run(*word);
    otherProgram.request_stop();
    otherProgram.join();
    expectTheLetterOpened(record(), folder.path("Dokumente/Angebot.pdf"));
    const pdfprinter::Spool spool(printers::spoolFolder("PDFCreator"));
    std::vector<std::string> waiting;
    for (const auto job : spool.waitingJobs()) waiting.push_back(spool.title(job));
    EXPECT_EQ(waiting, (std::vector<std::string>{"Notiz.txt", "Rechnung.xls"}));
}

// Whether the process is stopped (SIGSTOP): there, but doing nothing.
bool isStopped(int pid) {
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    for (std::string line; std::getline(status, line);)
        if (line.starts_with("State:")) return line.find('T') != std::string::npos;
    return false;
}

// Another host started the PDF printer, and then it stopped: it holds the
// printer's place without taking a job. The export ends it and starts a new one.
TEST_F(RealPdfPrinter, AStoppedPdfPrinterIsEndedAndStartedAnew) {
    com::Object other = com::CreateObject("PDFCreator.clsPDFCreator");
    ASSERT_TRUE(com::isTrue(other.call("cStart", {{"/NoProcessingAtStartup"}}).toBoolean()));
    // It wrote a file for that host before it stopped.
    other.put("cOption", std::int16_t{1}, {{"UseAutosave"}});
    other.put("cOption", folder.windowsPath("Anderes") + "\\", {{"AutosaveDirectory"}});
    other.put("cOption", "Rechnung", {{"AutosaveFilename"}});
    other.put("cPrinterStop", com::False);
    printers::submit("PDFCreator", {"Rechnung.xls", office::textToPdf("Rechnung")});
    ASSERT_TRUE(eventually([&] { return !other.get("cOutputFilename").toString().empty(); }, std::chrono::seconds(10)));
    const auto stopped = pdfprinter::InstanceLock::readyHolder(world::subfolder("pdfprinter"));
    ASSERT_TRUE(stopped.has_value());
    ASSERT_EQ(::kill(*stopped, SIGSTOP), 0);
    ASSERT_TRUE(eventually([&] { return isStopped(*stopped); }, std::chrono::seconds(10)));
    wordDocument();
    answers({"choice 1"});
    const auto began = std::chrono::steady_clock::now();
    run(*word);
    EXPECT_LT(std::chrono::steady_clock::now() - began, std::chrono::seconds(60));
    EXPECT_EQ(record(), (std::vector<std::string>{shown::choice + " -> 1",
                                                  "open " + runtime::quoted(folder.path("Dokumente/Angebot.pdf"))}));
    EXPECT_FALSE(isStopped(*stopped));
    if (isStopped(*stopped)) ::kill(*stopped, SIGKILL);
    EXPECT_EQ(pdf::pageCount(folder.path("Dokumente/Angebot.pdf")), 3);
}

// The longest name the PDF printer can write with a company code: its hidden
// working name for the first page is then exactly as long as a folder holds.
TEST_F(RealPdfPrinter, TheLongestNameThePdfPrinterCanHoldIsExported) {
    settings("Firmenk\xFCrzel=KBS\r\n");
    const std::string base(234, 'L');
    wordDocument(base + ".docx");
    answers({"choice 0"});
    run(*word);
    const std::string result = folder.path("Dokumente/" + base + "_KBS.pdf");
    EXPECT_EQ(record(), (std::vector<std::string>{shown::choice + " -> 0", "open " + runtime::quoted(result)}));
    EXPECT_EQ(pdf::pageCount(result), 3);
}

// A program of the given image name that runs until it is ended.
pid_t startNamed(const fs::path& folder, const std::string& imageName) {
    const fs::path program = folder / imageName;
    fs::copy_file("/bin/sleep", program, fs::copy_options::overwrite_existing);
    const std::string path = program.string();
    char seconds[] = "60";
    char* const argv[] = {const_cast<char*>(path.c_str()), seconds, nullptr};
    pid_t pid = -1;
    if (::posix_spawn(&pid, path.c_str(), nullptr, nullptr, argv, environ) != 0) return -1;
    return pid;
}

bool endsWithin(pid_t pid, std::chrono::seconds limit) {
    if (eventually([&] { return ::waitpid(pid, nullptr, WNOHANG) == pid; }, limit, std::chrono::milliseconds(20)))
        return true;
    ::kill(pid, SIGKILL);
    ::waitpid(pid, nullptr, 0);
    return false;
}

class PdfPrinterStart : public ExportFixture {};

TEST_F(PdfPrinterStart, APdfPrinterThatDoesNotStartIsEndedSoTheNextStartCanWork) {
    const pid_t hung = startNamed(folder.path(), "PDFCreator.exe");
    ASSERT_GT(hung, 0);
    wordDocument();
    pdfPrinter->startSucceeds = false;
    answers({"choice 0", "msgbox ok"});
    run(*word);
    EXPECT_TRUE(endsWithin(hung, std::chrono::seconds(10)));
}

}  // namespace
