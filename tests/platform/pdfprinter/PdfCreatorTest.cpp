#include <dlfcn.h>
#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <filesystem>
#include <functional>
#include <string>
#include <thread>

#include "PrinterWorld.h"
#include "platform/com/Activation.h"
#include "platform/com/ClassFactory.h"
#include "platform/com/Object.h"
#include "platform/com/Registry.h"
#include "platform/pdfprinter/PdfCreatorObject.h"
#include "platform/pdfprinter/Spool.h"
#include "platform/win32/ChildReaper.h"
#include "platform/win32/Process.h"
#include "tests/platform/com/ErrorCapture.h"
#include "tests/platform/tools/ProgramRun.h"
#include "tests/support/Eventually.h"

namespace pdfprinter {
namespace {

using namespace std::chrono_literals;
using com::Object;
using com::Variant;
using kalmora::testing::endsSoon;

const std::string serverLibrary = PDFPRINTER_SERVER;
const std::string taskkill = TASKKILL_PROGRAM;

Object newPrinter(std::string program = "PDFCreator.exe") {
    auto object = com::AutomationObject::create<PdfCreatorObject>(std::move(program));
    return Object(com::Ref<com::IDispatch>(object.get()));
}

// The printer as the add-in drives it, in a world of its own.
class PdfPrinter : public ::testing::Test {
protected:
    void startWithAutosaveTo(const std::string& folderText) {
        ASSERT_EQ(m_printer.call("cStart", {{"/NoProcessingAtStartup"}}), Variant(com::True));
        option("UseAutosave", std::int16_t{1});
        option("UseAutosaveDirectory", std::int16_t{1});
        option("AutosaveDirectory", folderText);
        option("AutosaveFormat", std::int16_t{0});
        m_printer.put("cDefaultPrinter", "PDFCreator");
        m_printer.put("cPrinterStop", com::False);
        m_printer.call("cClearCache");
    }

    void option(const std::string& name, Variant value) { m_printer.put("cOption", std::move(value), {{name}}); }
    std::string option(const std::string& name) const { return m_printer.get("cOption", {{name}}).toString(); }
    std::string outputName() const { return m_printer.get("cOutputFilename").toString(); }

    static void print(const std::string& pdf) { printers::submit("PDFCreator", {"Brief.docx", pdf}); }

    // Polls as the add-in does, with a deadline for a slow machine.
    std::string waitForOutput(const std::string& expected) const {
        eventually([&] { return outputName() == expected; }, 30s, 20ms);
        return outputName();
    }

    static std::optional<int> printerProcess() { return InstanceLock::readyHolder(PrinterState().folder()); }

    static std::size_t jobsWaiting() { return Spool(printers::spoolFolder("PDFCreator")).waitingJobs().size(); }

    TempFolder m_out;
    testing::PrinterWorld m_world;
    Object m_printer = newPrinter();
};

TEST_F(PdfPrinter, WritesEachJobUnderTheNameSetBeforeIt) {
    startWithAutosaveTo(m_out.windowsPath("Ausgabe"));
    EXPECT_EQ(printers::defaultPrinter(), "PDFCreator");
    EXPECT_EQ(outputName(), "");

    option("AutosaveFilename", "\\Brief 1. Seite");
    print("%PDF-1.4 erste Seite");
    EXPECT_EQ(waitForOutput(m_out.windowsPath("Ausgabe") + "\\Brief 1. Seite.pdf"),
              m_out.windowsPath("Ausgabe") + "\\Brief 1. Seite.pdf");
    EXPECT_EQ(m_out.read("Ausgabe/Brief 1. Seite.pdf"), "%PDF-1.4 erste Seite");

    option("AutosaveFilename", "\\Brief Folgeseiten");
    print("%PDF-1.4 Folgeseiten");
    EXPECT_EQ(waitForOutput(m_out.windowsPath("Ausgabe") + "\\Brief Folgeseiten.pdf"),
              m_out.windowsPath("Ausgabe") + "\\Brief Folgeseiten.pdf");
    EXPECT_EQ(m_out.read("Ausgabe/Brief Folgeseiten.pdf"), "%PDF-1.4 Folgeseiten");
    EXPECT_EQ(m_out.names("Ausgabe"), (std::set<std::string>{"Brief 1. Seite.pdf", "Brief Folgeseiten.pdf"}));
    EXPECT_EQ(jobsWaiting(), 0u);
}

// A name the folder holds, but not the hidden name 10 bytes longer under
// which the file is written first: the printer says which file and why, and
// writes the next one.
TEST_F(PdfPrinter, TellsWhyItCouldNotWriteAFile) {
    startWithAutosaveTo(m_out.windowsPath(""));
    EXPECT_EQ(m_printer.get("cErrorDetail", {{"Number"}}), Variant(std::int32_t{0}));
    const std::string tooLong(250, 'L');
    option("AutosaveFilename", "\\" + tooLong);
    print("%PDF-1.4 zu lang");
    eventually([&] { return m_printer.get("cErrorDetail", {{"Number"}}) != Variant(std::int32_t{0}); }, 30s, 20ms);
    EXPECT_EQ(m_printer.get("cErrorDetail", {{"number"}}), Variant(std::int32_t{75}));
    EXPECT_EQ(m_printer.get("cErrorDetail", {{"Description"}}).toString(),
              "Die Datei " + m_out.windowsPath("") + "\\" + tooLong +
                  ".pdf lässt sich nicht schreiben: Der Dateiname oder der Pfad ist zu lang.");
    EXPECT_EQ(outputName(), "");

    option("AutosaveFilename", "\\Brief");
    print("%PDF-1.4 Brief");
    EXPECT_EQ(waitForOutput(m_out.windowsPath("") + "\\Brief.pdf"), m_out.windowsPath("") + "\\Brief.pdf");
    EXPECT_EQ(m_out.names(), std::set<std::string>{"Brief.pdf"});
    EXPECT_EQ(jobsWaiting(), 0u);
}

TEST_F(PdfPrinter, HoldsJobsWhileStoppedAndDropsThemWhenTheCacheIsCleared) {
    startWithAutosaveTo(m_out.path());
    m_printer.put("cPrinterStop", com::True);
    EXPECT_EQ(m_printer.get("cPrinterStop"), Variant(com::True));
    option("AutosaveFilename", "gehalten");
    print("%PDF gehalten");
    // Ten of the printer's polls: a held job is still waiting after them.
    std::this_thread::sleep_for(500ms);
    EXPECT_EQ(jobsWaiting(), 1u);
    EXPECT_FALSE(std::filesystem::exists(m_out.path("gehalten.pdf")));

    m_printer.put("cPrinterStop", com::False);
    EXPECT_EQ(waitForOutput(m_out.path("gehalten.pdf")), m_out.path("gehalten.pdf"));

    m_printer.put("cPrinterStop", com::True);
    option("AutosaveFilename", "verworfen");
    print("%PDF verworfen 1");
    print("%PDF verworfen 2");
    m_printer.call("cClearCache");
    EXPECT_EQ(jobsWaiting(), 0u);
    option("AutosaveFilename", "danach");
    m_printer.put("cPrinterStop", com::False);
    print("%PDF danach");
    // Jobs are taken in order: had the dropped ones survived, they would
    // have been written before this one.
    EXPECT_EQ(waitForOutput(m_out.path("danach.pdf")), m_out.path("danach.pdf"));
    EXPECT_EQ(m_out.names(), (std::set<std::string>{"gehalten.pdf", "danach.pdf"}));
}

TEST_F(PdfPrinter, RunsOneProcessThatEndsOnCloseAndStartsAfreshNextTime) {
    startWithAutosaveTo(m_out.path());
    const auto first = printerProcess();
    ASSERT_TRUE(first);
    option("AutosaveFilename", "vorher");
    print("%PDF vorher");
    ASSERT_EQ(waitForOutput(m_out.path("vorher.pdf")), m_out.path("vorher.pdf"));

    // A second host's object and a second program start find the running one.
    EXPECT_EQ(newPrinter().call("cStart"), Variant(com::True));
    win32::StartedProcess second;
    ASSERT_TRUE(win32::startProcess({"PDFCreator.exe", win32::SW_HIDE}, second));
    EXPECT_EQ(win32::ChildReaper::instance().wait(second.pid, 30s), 0);
    EXPECT_EQ(printerProcess(), first);
    EXPECT_EQ(outputName(), m_out.path("vorher.pdf"));

    m_printer.call("cClose");
    EXPECT_TRUE(endsSoon(*first));
    EXPECT_FALSE(InstanceLock::holder(PrinterState().folder()));
    m_printer.call("cClose");

    EXPECT_EQ(m_printer.call("cStart"), Variant(com::True));
    EXPECT_NE(printerProcess(), first);
    EXPECT_EQ(outputName(), "");
    EXPECT_EQ(option("AutosaveFilename"), "vorher");
    m_printer.call("cClose");
}

TEST_F(PdfPrinter, DoesNotStartWithoutItsProgram) {
    const Object printer = newPrinter(m_out.path("PDFCreator.exe"));
    EXPECT_EQ(printer.call("cStart", {{"/NoProcessingAtStartup"}}), Variant(com::False));
    EXPECT_FALSE(InstanceLock::holder(PrinterState().folder()));
}

TEST_F(PdfPrinter, EndsByTaskkillUnderItsImageName) {
    ASSERT_EQ(m_printer.call("cStart"), Variant(com::True));
    const auto pid = printerProcess();
    ASSERT_TRUE(pid);

    const auto result = kalmora::testing::runProgram({taskkill, "/f", "/im", "PDFCreator.exe"});

    EXPECT_EQ(result.exitCode, 0) << result.err;
    EXPECT_NE(result.out.find("ERFOLGREICH: Der Prozess \"PDFCreator.exe\" mit PID " + std::to_string(*pid) +
                              " wurde beendet.\n"),
              std::string::npos)
        << result.out;
    EXPECT_TRUE(endsSoon(*pid));
    // The object's process is gone: every call says so, as a host sees a
    // server process that died.
    const std::vector<std::function<void()>> calls = {
        [&] { m_printer.get("cOutputFilename"); },
        [&] { m_printer.put("cOption", std::string("x"), {{"AutosaveFilename"}}); },
        [&] { m_printer.call("cClearCache"); },
        [&] { m_printer.call("cClose"); },
    };
    for (const auto& call : calls) {
        try {
            call();
            ADD_FAILURE() << "no error";
        } catch (const com::Error& error) {
            EXPECT_EQ(error.number(), -2147023174);
            EXPECT_EQ(error.description(), "Der RPC-Server ist nicht verfügbar.");
        }
    }
    // The lock died with it: the next start is not blocked.
    EXPECT_EQ(m_printer.call("cStart"), Variant(com::True));
    EXPECT_EQ(outputName(), "");
    m_printer.call("cClose");
}

TEST_F(PdfPrinter, APrinterThatDiesWhileAskedToEndLeavesNoRequestBehind) {
    ASSERT_EQ(m_printer.call("cStart"), Variant(com::True));
    const auto pid = printerProcess();
    ASSERT_TRUE(pid);
    // It never reads the request: killed as it would have ended.
    ASSERT_EQ(::kill(*pid, SIGSTOP), 0);
    std::thread closing([&] { m_printer.call("cClose"); });
    const auto request = PrinterState().folder() / "stop-request";
    EXPECT_TRUE(eventually([&] { return std::filesystem::exists(request); }, 30s));
    ASSERT_EQ(::kill(*pid, SIGKILL), 0);
    closing.join();
    EXPECT_FALSE(std::filesystem::exists(request));
}

TEST_F(PdfPrinter, EndsWhenItsWorldIsGone) {
    ASSERT_EQ(m_printer.call("cStart"), Variant(com::True));
    const auto pid = printerProcess();
    ASSERT_TRUE(pid);
    std::filesystem::remove_all(m_world.folder().path("pdfprinter"));
    EXPECT_TRUE(endsSoon(*pid));
}

TEST_F(PdfPrinter, KeepsOptionsAsTextUnderNamesOfAnyCase) {
    struct Case {
        const char* put;
        Variant value;
        const char* get;
        std::string seen;
    };
    const Case cases[] = {
        {"UseAutosave", std::int16_t{1}, "useautosave", "1"},
        {"AutosaveDirectory", "C:\\Briefe\\100% = fertig\\", "AUTOSAVEDIRECTORY", "C:\\Briefe\\100% = fertig\\"},
        {"AutosaveFilename", "Zeile\nZeile %0A", "AutosaveFilename", "Zeile\nZeile %0A"},
        {"Titel", com::True, "tITEL", "Wahr"},
    };
    for (const auto& c : cases) {
        option(c.put, c.value);
        EXPECT_EQ(option(c.get), c.seen) << c.put;
    }
    EXPECT_EQ(option("NieGesetzt"), "");
    // Another object sees the same options: they belong to the printer.
    EXPECT_EQ(newPrinter().get("cOption", {{"autosavedirectory"}}).toString(), "C:\\Briefe\\100% = fertig\\");
    const auto raised = com::testing::raisedBy([&] { m_printer.get("cOption"); });
    ASSERT_TRUE(raised);
    EXPECT_EQ(raised->number, com::errors::ArgumentNotOptional);
}

TEST_F(PdfPrinter, SetsTheDefaultPrinterOnlyToAnInstalledOne) {
    m_printer.put("cDefaultPrinter", "pdfcreator");
    EXPECT_EQ(printers::defaultPrinter(), "PDFCreator");
    EXPECT_EQ(m_printer.get("cDefaultPrinter").toString(), "PDFCreator");

    const auto raised = com::testing::raisedBy([&] { m_printer.put("cDefaultPrinter", "Gibt es nicht"); });
    ASSERT_TRUE(raised);
    EXPECT_EQ(raised->number, com::errors::InvalidProcedureCall);
    EXPECT_EQ(raised->description, "Der Drucker \"Gibt es nicht\" ist nicht installiert.");
    EXPECT_EQ(printers::defaultPrinter(), "PDFCreator");
}

// The class as a host reaches it: registered by its library, created by name.
TEST(PdfPrinterServer, RegistersItselfAndIsCreatedByName) {
    testing::PrinterWorld world;
    void* library = ::dlopen(serverLibrary.c_str(), RTLD_NOW | RTLD_LOCAL);
    ASSERT_NE(library, nullptr) << ::dlerror();
    const auto registerServer = reinterpret_cast<com::DllRegisterServerFn>(::dlsym(library, "DllRegisterServer"));
    const auto unregisterServer = reinterpret_cast<com::DllUnregisterServerFn>(::dlsym(library, "DllUnregisterServer"));
    ASSERT_TRUE(registerServer && unregisterServer);

    ASSERT_EQ(registerServer(), com::S_OK);
    const auto entry = com::registry::findProgId("PDFCreator.clsPDFCreator");
    ASSERT_TRUE(entry);
    EXPECT_TRUE(std::filesystem::equivalent(entry->inprocServer, serverLibrary));
    {
        const Object printer = com::CreateObject("PDFCreator.clsPDFCreator");
        printer.put("cOption", "Brief", {{"AutosaveFilename"}});
        EXPECT_EQ(printer.get("cOption", {{"AutosaveFilename"}}).toString(), "Brief");
        EXPECT_EQ(printer.get("cOutputFilename").toString(), "");
    }
    com::freeUnusedLibraries();

    ASSERT_EQ(unregisterServer(), com::S_OK);
    const auto raised = com::testing::raisedBy([] { com::CreateObject("PDFCreator.clsPDFCreator"); });
    ASSERT_TRUE(raised);
    EXPECT_EQ(raised->number, com::errors::CannotCreateObject);
    ::dlclose(library);
}

}  // namespace
}  // namespace pdfprinter
