#include <gtest/gtest.h>
#include <sys/mount.h>

#include <atomic>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <latch>
#include <set>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "TestWorld.h"
#include "platform/com/Error.h"
#include "platform/printers/PrintSystem.h"
#include "platform/runtime/Printer.h"

namespace {

namespace fs = std::filesystem;

const std::string networkPrinter = "\\\\druckserver\\Etage 2";

class PrintSystemTest : public ::testing::Test {
protected:
    TestWorld world_;

    fs::path printersFolder() const { return world_.path() / "printers"; }

    // Whatever the print system wrote, temporary files must not stay behind.
    void expectNoTemporaryFiles() const {
        for (const auto& entry : fs::recursive_directory_iterator(printersFolder()))
            EXPECT_FALSE(entry.path().filename().string().starts_with(".")) << entry.path();
    }
};

TEST_F(PrintSystemTest, InstallListAndDefaultRoundTrip) {
    EXPECT_TRUE(printers::installed().empty());
    EXPECT_EQ(printers::defaultPrinter(), std::nullopt);

    for (const std::string& name : {std::string("HP LaserJet 4"), std::string("Büro-Laser"), networkPrinter})
        printers::install(name);
    EXPECT_EQ(printers::installed(), (std::vector<std::string>{networkPrinter, "Büro-Laser", "HP LaserJet 4"}));

    EXPECT_TRUE(printers::setDefaultPrinter("BÜRO-LASER"));
    EXPECT_EQ(printers::defaultPrinter(), "Büro-Laser");
    // A record of fixed length, so that it can be rewritten in place.
    const std::string record = TestWorld::read(printersFolder() / "default");
    EXPECT_EQ(record.substr(0, record.find('\0')), "Büro-Laser");
    EXPECT_EQ(record.size(), 512u);

    EXPECT_FALSE(printers::setDefaultPrinter("Fehlt"));
    EXPECT_FALSE(printers::setDefaultPrinter(""));
    EXPECT_THROW(printers::install(""), std::invalid_argument);
    EXPECT_THROW(printers::install(std::string(300, 'x')), std::invalid_argument);
    EXPECT_EQ(printers::defaultPrinter(), "Büro-Laser");
    expectNoTemporaryFiles();
}

TEST_F(PrintSystemTest, NamesMatchWithoutRegardToCase) {
    struct Row {
        std::string installed;
        std::string asked;
        bool same;
    };
    const Row rows[] = {
        {"Laser", "LASER", true},
        {"Büro-Laser", "BÜRO-laser", true},
        {"Ärger Öl Über", "äRGER öL üBER", true},
        {"Café", "CAFÉ", true},
        {networkPrinter, "\\\\DRUCKSERVER\\etage 2", true},
        {"Laser", "Laser ", false},
        {"Büro", "Buro", false},
        {"Laser 2", "Laser2", false},
    };
    for (const Row& row : rows) {
        printers::install(row.installed);
        EXPECT_EQ(printers::exists(row.asked), row.same) << row.asked;
        // Installing the same printer under another spelling changes nothing.
        printers::install(row.asked);
        const std::vector<std::string> listed = printers::installed();
        const std::multiset<std::string> expected =
            row.same ? std::multiset<std::string>{row.installed} : std::multiset<std::string>{row.installed, row.asked};
        EXPECT_EQ(std::multiset<std::string>(listed.begin(), listed.end()), expected) << row.asked;
        printers::uninstall(row.installed);
        printers::uninstall(row.asked);
    }
}

TEST_F(PrintSystemTest, AnyNameStaysInsideTheInstalledFolder) {
    const std::string names[] = {"Laser Etage 2", networkPrinter,   "a/b",      "..",  ".",
                                 ".versteckt",    "../../Ausbruch", "50% grau", "%2F", "Zeile\nUmbruch",
                                 "Büro Ä"};
    for (const std::string& name : names) printers::install(name);

    // One file per printer, holding its name, and nothing anywhere else.
    const fs::path folder = printersFolder() / "installed";
    std::set<std::string> contents;
    for (const auto& entry : fs::directory_iterator(folder)) {
        EXPECT_TRUE(entry.is_regular_file()) << entry.path();
        contents.insert(TestWorld::read(entry.path()));
    }
    EXPECT_EQ(contents, std::set<std::string>(std::begin(names), std::end(names)));
    EXPECT_EQ(TestWorld::names(printersFolder()), (std::set<std::string>{"installed", "spool"}));
    EXPECT_EQ(TestWorld::names(world_.path()), (std::set<std::string>{"printers"}));

    for (const std::string& name : names) {
        EXPECT_TRUE(printers::exists(name)) << name;
        printers::uninstall(name);
    }
    EXPECT_TRUE(printers::installed().empty());
    EXPECT_TRUE(TestWorld::names(folder).empty());
    EXPECT_TRUE(TestWorld::names(printersFolder() / "spool").empty());
}

TEST_F(PrintSystemTest, DefaultPrinterNameAndError482WhenItsPrinterIsGone) {
    printers::install(networkPrinter);
    printers::install("Tinte");
    ASSERT_TRUE(printers::setDefaultPrinter(networkPrinter));
    EXPECT_EQ(runtime::DefaultPrinterName(), networkPrinter);
    printers::uninstall("Tinte");
    EXPECT_EQ(runtime::DefaultPrinterName(), networkPrinter);

    printers::uninstall("\\\\DRUCKSERVER\\etage 2");
    // A printer installed again later under that name is not the default unasked.
    printers::install(networkPrinter);
    EXPECT_EQ(printers::defaultPrinter(), std::nullopt);
    try {
        (void)runtime::DefaultPrinterName();
        ADD_FAILURE() << "no error without a default printer";
    } catch (const com::Error& e) {
        EXPECT_EQ(e.number(), 482);
        EXPECT_EQ(e.description(), "Druckerfehler");
    }
}

// The user who had no default printer can be given none again; and one who
// had a default printer written by an earlier version keeps it.
TEST_F(PrintSystemTest, NoDefaultPrinterCanBeSetAgain) {
    printers::install("Tinte");
    printers::clearDefaultPrinter();
    EXPECT_EQ(printers::defaultPrinter(), std::nullopt);
    ASSERT_TRUE(printers::setDefaultPrinter("Tinte"));
    printers::clearDefaultPrinter();
    EXPECT_EQ(printers::defaultPrinter(), std::nullopt);
    EXPECT_THROW((void)runtime::DefaultPrinterName(), com::Error);
    ASSERT_TRUE(printers::setDefaultPrinter("TINTE"));
    EXPECT_EQ(printers::defaultPrinter(), "Tinte");

    TestWorld::write(printersFolder() / "default", "Tinte");
    EXPECT_EQ(printers::defaultPrinter(), "Tinte");
    ASSERT_TRUE(printers::setDefaultPrinter("Tinte"));
    EXPECT_EQ(printers::defaultPrinter(), "Tinte");
    expectNoTemporaryFiles();
}

// The PDF printer's jobs may fill the world's disk while it is the default:
// the user's printer must still come back.
TEST_F(PrintSystemTest, AFullDiskStillSwitchesTheDefaultPrinter) {
    const fs::path small = world_.path() / "klein";
    fs::create_directories(small);
    if (::mount("tmpfs", small.c_str(), "tmpfs", MS_NOSUID | MS_NODEV, "size=64k") != 0)
        GTEST_SKIP() << "no small file system can be mounted here: " << std::strerror(errno);
    ::setenv("KALMORA_WORLD", small.c_str(), 1);
    for (const char* name : {"Laser", "PDFCreator"}) printers::install(name);
    ASSERT_TRUE(printers::setDefaultPrinter("Laser"));
    TestWorld::write(small / "Füllung", std::string(fs::space(small).available, 'x'));
    ASSERT_EQ(fs::space(small).available, 0u);

    EXPECT_TRUE(printers::setDefaultPrinter("PDFCreator"));
    EXPECT_EQ(printers::defaultPrinter(), "PDFCreator");
    EXPECT_TRUE(printers::setDefaultPrinter("Laser"));
    EXPECT_EQ(printers::defaultPrinter(), "Laser");
    printers::clearDefaultPrinter();
    EXPECT_EQ(printers::defaultPrinter(), std::nullopt);
    EXPECT_TRUE(printers::setDefaultPrinter("Laser"));
    EXPECT_EQ(printers::defaultPrinter(), "Laser");
    ::umount2(small.c_str(), MNT_DETACH);
}

TEST_F(PrintSystemTest, SubmittedJobsAreNumberedInTheSpoolOfAnInstalledPrinter) {
    printers::install(networkPrinter);
    EXPECT_THROW(printers::submit("Tinte", {"Brief", "%PDF-1.4"}), std::runtime_error);
    EXPECT_THROW(printers::submit("", {"Brief", "%PDF-1.4"}), std::runtime_error);
    EXPECT_FALSE(fs::exists(printers::spoolFolder("Tinte")));

    printers::submit(networkPrinter, {"Brief an Müller.doc", "%PDF-1.4 eins"});
    printers::submit("\\\\DRUCKSERVER\\ETAGE 2", {"Rechnung.xls", "%PDF-1.4 zwei"});

    const fs::path spool = printers::spoolFolder(networkPrinter);
    EXPECT_EQ(TestWorld::names(spool), (std::set<std::string>{"1.pdf", "1.title", "2.pdf", "2.title"}));
    EXPECT_EQ(TestWorld::read(spool / "1.title"), "Brief an Müller.doc");
    EXPECT_EQ(TestWorld::read(spool / "1.pdf"), "%PDF-1.4 eins");
    EXPECT_EQ(TestWorld::read(spool / "2.title"), "Rechnung.xls");
    EXPECT_EQ(TestWorld::read(spool / "2.pdf"), "%PDF-1.4 zwei");

    // The printer took job 1; the next job still comes after job 2.
    fs::remove(spool / "1.pdf");
    fs::remove(spool / "1.title");
    printers::submit(networkPrinter, {"Nachtrag", "%PDF-1.4 drei"});
    EXPECT_EQ(TestWorld::names(spool), (std::set<std::string>{"2.pdf", "2.title", "3.pdf", "3.title"}));
    EXPECT_EQ(TestWorld::read(spool / "3.pdf"), "%PDF-1.4 drei");
    expectNoTemporaryFiles();

    printers::uninstall(networkPrinter);
    EXPECT_FALSE(fs::exists(spool));
}

TEST_F(PrintSystemTest, JobsSubmittedAtOnceEachGetTheirOwnNumber) {
    printers::install("Laser");
    constexpr int writers = 8;
    constexpr int jobsEach = 20;
    std::latch start(writers);
    std::atomic<int> failures{0};
    std::vector<std::thread> threads;
    for (int writer = 0; writer < writers; ++writer) {
        threads.emplace_back([&, writer] {
            start.arrive_and_wait();
            for (int job = 0; job < jobsEach; ++job) {
                const std::string id = std::to_string(writer) + "-" + std::to_string(job);
                try {
                    printers::submit("Laser", {id, "%PDF " + id});
                } catch (const std::exception&) {
                    ++failures;
                }
            }
        });
    }
    for (std::thread& thread : threads) thread.join();
    EXPECT_EQ(failures, 0);

    const fs::path spool = printers::spoolFolder("Laser");
    std::set<std::string> ids;
    for (int number = 1; number <= writers * jobsEach; ++number) {
        const std::string title = TestWorld::read(spool / (std::to_string(number) + ".title"));
        EXPECT_EQ(TestWorld::read(spool / (std::to_string(number) + ".pdf")), "%PDF " + title) << number;
        ids.insert(title);
    }
    EXPECT_EQ(ids.size(), static_cast<std::size_t>(writers * jobsEach));
    EXPECT_EQ(TestWorld::names(spool).size(), static_cast<std::size_t>(2 * writers * jobsEach));
}

}  // namespace
