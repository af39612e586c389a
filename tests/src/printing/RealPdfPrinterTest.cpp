// Printing through the real PDF printer: its automation class created by name
// from the class registry, and its own process writing the files.
#include <dlfcn.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>

#include <chrono>
#include <filesystem>
#include <thread>

#include "tests/src/printing/RealPdfPrinter.h"
#include "tests/support/PdfText.h"

extern char** environ;

namespace {

namespace fs = std::filesystem;

TEST_F(RealPdfPrinter, TheFirstLayoutFromClickToOpenedLetterheadPdf) {
    wordDocument();
    answers({"choice 0"});
    run(*word);
    const std::string result = folder.path("Dokumente/Angebot.pdf");
    EXPECT_EQ(record(), (std::vector<std::string>{shown::choice + " -> 0", "open " + runtime::quoted(result)}));
    ASSERT_EQ(pdf::pageCount(result), 3);
    EXPECT_EQ(pdf::pageText(result, 1), "Seite eins ERSTER BRIEFKOPF");
    EXPECT_EQ(pdf::pageText(result, 2), "Seite zwei FOLGE BRIEFKOPF");
    EXPECT_EQ(pdf::pageText(result, 3), "Seite drei FOLGE BRIEFKOPF");
    EXPECT_EQ(folder.names("Dokumente"), (std::set<std::string>{"Angebot.pdf"}));
    EXPECT_EQ(printers::defaultPrinter(), officePrinter);
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
    const auto deadline = std::chrono::steady_clock::now() + limit;
    while (std::chrono::steady_clock::now() < deadline) {
        if (::waitpid(pid, nullptr, WNOHANG) == pid) return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
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
