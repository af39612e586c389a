#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <stdexcept>
#include <string>

#include "TemporaryWorld.h"
#include "platform/com/Registry.h"

namespace com::registry {
namespace {

const Guid clsidA{0x11111111, 0x2222, 0x3333, {0x44, 0x44, 0x55, 0x55, 0x55, 0x55, 0x55, 0x55}};
const Guid clsidB{0xAAAAAAAA, 0xBBBB, 0xCCCC, {0xDD, 0xDD, 0xEE, 0xEE, 0xEE, 0xEE, 0xEE, 0xEE}};

class RegistryTest : public ::testing::Test {
protected:
    std::string file(const std::string& relative) const { return world_.folder().read("registry/" + relative); }
    // The files in a registry folder; none when it was never written to.
    std::set<std::string> names(const std::string& folder) const {
        if (!std::filesystem::exists(world_.folder().path("registry/" + folder))) return {};
        return world_.folder().names("registry/" + folder);
    }

    com::testing::TemporaryWorld world_;
};

TEST_F(RegistryTest, ClassIsFoundByClsidAndByProgIdInAnyCaseUntilUnregistered) {
    registerClass({clsidA, "Kalmora.Printer", "/opt/printer=2/libprinter.so", "Apartment"});

    EXPECT_EQ(file("CLSID/{11111111-2222-3333-4444-555555555555}"),
              "ProgID=Kalmora.Printer\nInprocServer32=/opt/printer=2/libprinter.so\nThreadingModel=Apartment\n");
    EXPECT_EQ(file("ProgID/kalmora.printer"), "CLSID={11111111-2222-3333-4444-555555555555}\n");
    // Written through temporary files: nothing else is left in the folders.
    EXPECT_EQ(names("CLSID"), std::set<std::string>{"{11111111-2222-3333-4444-555555555555}"});
    EXPECT_EQ(names("ProgID"), std::set<std::string>{"kalmora.printer"});

    for (const char* spelling : {"Kalmora.Printer", "KALMORA.PRINTER", "kalmora.printer"}) {
        const auto found = findProgId(spelling);
        ASSERT_TRUE(found) << spelling;
        EXPECT_EQ(found->clsid, clsidA);
        EXPECT_EQ(found->progId, "Kalmora.Printer");
        EXPECT_EQ(found->inprocServer, "/opt/printer=2/libprinter.so");
        EXPECT_EQ(found->threadingModel, "Apartment");
    }
    ASSERT_TRUE(findClass(clsidA));
    EXPECT_EQ(findClass(clsidA)->progId, "Kalmora.Printer");
    EXPECT_FALSE(findClass(clsidB));
    EXPECT_FALSE(findProgId("Kalmora.Other"));

    unregisterClass(clsidA);
    EXPECT_FALSE(findClass(clsidA));
    EXPECT_FALSE(findProgId("Kalmora.Printer"));
    EXPECT_TRUE(names("CLSID").empty());
    EXPECT_TRUE(names("ProgID").empty());
    unregisterClass(clsidA);  // twice is harmless
}

TEST_F(RegistryTest, ProgIdFollowsTheLatestRegistration) {
    // A class renamed: its old ProgID goes.
    registerClass({clsidA, "Kalmora.Old", "/a.so", "Apartment"});
    registerClass({clsidA, "Kalmora.New", "/a.so", "Apartment"});
    EXPECT_FALSE(findProgId("Kalmora.Old"));
    ASSERT_TRUE(findProgId("kalmora.new"));
    EXPECT_EQ(findProgId("kalmora.new")->clsid, clsidA);

    // A name taken over by another class stays with it when the first class goes.
    registerClass({clsidB, "Kalmora.New", "/b.so", "Apartment"});
    unregisterClass(clsidA);
    ASSERT_TRUE(findProgId("Kalmora.New"));
    EXPECT_EQ(findProgId("Kalmora.New")->inprocServer, "/b.so");
}

TEST_F(RegistryTest, UnwritableEntriesAreRefusedAndLeaveNothing) {
    const ClassEntry refused[] = {
        {clsidA, "../escape", "/a.so", "Apartment"},
        {clsidA, "Kalmora/Sub", "/a.so", "Apartment"},
        {clsidA, ".hidden", "/a.so", "Apartment"},
        {clsidA, "Kalmora.Line\nBreak", "/a.so", "Apartment"},
        {clsidA, "Kalmora.Printer", "/a.so\nThreadingModel=Free", "Apartment"},
    };
    for (const ClassEntry& entry : refused) {
        EXPECT_THROW(registerClass(entry), std::invalid_argument) << entry.progId << entry.inprocServer;
    }
    EXPECT_FALSE(findClass(clsidA));
    EXPECT_TRUE(names("CLSID").empty());
    EXPECT_TRUE(names("ProgID").empty());
    EXPECT_FALSE(findProgId("../escape"));
}

TEST_F(RegistryTest, TypeLibrariesAndInterfacesRoundTrip) {
    registerTypeLib({clsidA, "Kalmora Printer Library", "30.0", 1031, "/opt/printer/printer.tlb"});
    registerInterface({clsidB, "IPrinterJob", clsidA});

    EXPECT_EQ(file("TypeLib/{11111111-2222-3333-4444-555555555555}"),
              "Name=Kalmora Printer Library\nVersion=30.0\nLocale=1031\nPath=/opt/printer/printer.tlb\n");
    const auto lib = findTypeLib(clsidA);
    ASSERT_TRUE(lib);
    EXPECT_EQ(lib->name, "Kalmora Printer Library");
    EXPECT_EQ(lib->version, "30.0");
    EXPECT_EQ(lib->locale, 1031);
    EXPECT_EQ(lib->path, "/opt/printer/printer.tlb");

    const auto iface = findInterface(clsidB);
    ASSERT_TRUE(iface);
    EXPECT_EQ(iface->name, "IPrinterJob");
    EXPECT_EQ(iface->typeLib, clsidA);
    EXPECT_FALSE(findInterface(clsidA));

    unregisterTypeLib(clsidA);
    unregisterInterface(clsidB);
    EXPECT_FALSE(findTypeLib(clsidA));
    EXPECT_FALSE(findInterface(clsidB));
    EXPECT_TRUE(names("TypeLib").empty());
    EXPECT_TRUE(names("Interface").empty());
}

}  // namespace
}  // namespace com::registry
