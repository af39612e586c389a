#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "PrinterWorld.h"
#include "platform/pdfprinter/JobProcessor.h"
#include "platform/pdfprinter/Spool.h"

namespace pdfprinter {
namespace {

// The printer's work, done in this process: what the printer process does
// on each of its polls.
class JobProcessorTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_state.setOption("UseAutosave", "1");
        m_state.setJobFlow(JobFlow::Process);
    }

    void submit(const std::string& pdf) { printers::submit("PDFCreator", {"Dokument", pdf}); }
    std::size_t waiting() const { return m_spool.waitingJobs().size(); }

    TempFolder m_out;
    testing::PrinterWorld m_world;
    PrinterState m_state;
    Spool m_spool{printers::spoolFolder("PDFCreator")};
    JobProcessor m_processor{m_state, m_spool};
};

TEST_F(JobProcessorTest, JoinsFolderAndNameWithoutASeparator) {
    struct Case {
        std::string directory;  // as the host passes it; the folders end in a separator
        std::string name;
        std::string onDisk;  // relative to the output folder
    };
    const Case cases[] = {
        {m_out.windowsPath(""), "Brief", "Brief.pdf"},
        {m_out.path(), "Brief mit Leerzeichen", "Brief mit Leerzeichen.pdf"},
        {m_out.windowsPath("Unterordner") + "\\", "Seite 1", "Unterordner/Seite 1.pdf"},
        {m_out.path("Ohne"), "Trenner", "OhneTrenner.pdf"},
        {m_out.windowsPath(""), "Brief.pdf", "Brief.pdf.pdf"},
    };
    int job = 0;
    for (const auto& c : cases) {
        const std::string pdf = "%PDF-1.4 job " + std::to_string(++job);
        m_state.setOption("AutosaveDirectory", c.directory);
        m_state.setOption("AutosaveFilename", c.name);
        submit(pdf);

        EXPECT_EQ(m_processor.processWaitingJobs(), 1);

        EXPECT_EQ(m_out.read(c.onDisk), pdf) << c.onDisk;
        EXPECT_EQ(m_state.lastOutput(), c.directory + c.name + ".pdf");
        EXPECT_EQ(waiting(), 0u);
    }
}

TEST_F(JobProcessorTest, WithAJobTitleSetOnlyThatDocumentsJobsAreWrittenAndCleared) {
    struct Case {
        std::string title;
        bool written;
    };
    const Case cases[] = {
        {"Angebot.docx", true},
        {"Microsoft Word - Angebot.docx", true},  // as older Office titles its jobs
        {"Rechnung.xls", false},
        {"Angebot.doc", false},
        {"Microsoft Excel - Rechnung.xls", false},
    };
    m_state.setOption("AutosaveDirectory", m_out.windowsPath("") + "\\");
    m_state.setOption("AutosaveJobTitle", "Angebot.docx");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.title);
        m_state.setOption("AutosaveFilename", c.title);
        printers::submit("PDFCreator", {c.title, "%PDF " + c.title});
        EXPECT_EQ(m_processor.processWaitingJobs(), c.written ? 1 : 0);
        EXPECT_EQ(std::filesystem::exists(m_out.path(c.title + ".pdf")), c.written);
    }
    // The others wait for their owner, also when the document's jobs are cleared.
    printers::submit("PDFCreator", {"Angebot.docx", "%PDF noch eins"});
    m_spool.dropAllOf("Angebot.docx");
    std::vector<std::string> titles;
    for (const auto job : m_spool.waitingJobs()) titles.push_back(m_spool.title(job));
    EXPECT_EQ(titles, (std::vector<std::string>{"Rechnung.xls", "Angebot.doc", "Microsoft Excel - Rechnung.xls"}));
    // Without a title every job is the printer's to write.
    m_state.setOption("AutosaveJobTitle", "");
    EXPECT_EQ(m_processor.processWaitingJobs(), 3);
}

TEST_F(JobProcessorTest, TakesTheJobsInTheOrderOfTheirNumbers) {
    m_state.setOption("AutosaveDirectory", m_out.path());
    m_state.setOption("AutosaveFilename", "Gleich");
    // Ten jobs, so that job 10 sorts before job 9 as text.
    for (int job = 1; job <= 10; ++job) submit("%PDF job " + std::to_string(job));

    EXPECT_EQ(m_processor.processWaitingJobs(), 10);

    EXPECT_EQ(m_out.read("Gleich.pdf"), "%PDF job 10");
    EXPECT_EQ(m_out.names(), std::set<std::string>{"Gleich.pdf"});
}

TEST_F(JobProcessorTest, LeavesJobsWaitingWhileHeldOrWithoutAutosave) {
    m_state.setOption("AutosaveDirectory", m_out.path());
    m_state.setOption("AutosaveFilename", "Wartet");
    submit("%PDF wartet");

    m_state.setJobFlow(JobFlow::Hold);
    EXPECT_EQ(m_processor.processWaitingJobs(), 0);
    m_state.setJobFlow(JobFlow::Process);
    for (const char* off : {"0", "", "Falsch"}) {
        m_state.setOption("UseAutosave", off);
        EXPECT_EQ(m_processor.processWaitingJobs(), 0) << off;
    }
    EXPECT_EQ(waiting(), 1u);
    EXPECT_TRUE(m_out.names().empty());
    EXPECT_EQ(m_state.lastOutput(), "");

    m_state.setOption("UseAutosave", "-1");
    EXPECT_EQ(m_processor.processWaitingJobs(), 1);
    EXPECT_EQ(m_out.read("Wartet.pdf"), "%PDF wartet");
}

TEST_F(JobProcessorTest, DropsAJobItCannotWriteAndGoesOn) {
    m_out.write("eine Datei", "kein Ordner");
    m_state.setOption("AutosaveDirectory", m_out.path("eine Datei") + "/");
    m_state.setOption("AutosaveFilename", "geht nicht");
    submit("%PDF verloren");
    EXPECT_EQ(m_processor.processWaitingJobs(), 0);

    m_state.setOption("AutosaveDirectory", m_out.path());
    m_state.setOption("AutosaveFilename", "geht");
    submit("%PDF geschrieben");
    EXPECT_EQ(m_processor.processWaitingJobs(), 1);

    EXPECT_EQ(m_out.names(), (std::set<std::string>{"eine Datei", "geht.pdf"}));
    EXPECT_EQ(m_state.lastOutput(), m_out.path() + "geht.pdf");
    EXPECT_EQ(waiting(), 0u);
}

}  // namespace
}  // namespace pdfprinter
