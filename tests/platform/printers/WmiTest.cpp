#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "TestWorld.h"
#include "platform/com/Activation.h"
#include "platform/com/Object.h"
#include "platform/printers/PrintSystem.h"
#include "platform/printers/Wmi.h"

namespace {

const std::string moniker = "winmgmts:{impersonationLevel=impersonate}!\\\\.\\root\\cimv2";
const std::string networkPrinter = "\\\\druckserver\\Etage 2";

constexpr std::int32_t invalidQuery = -2147217385;      // 0x80041017
constexpr std::int32_t invalidClass = -2147217392;      // 0x80041010
constexpr std::int32_t invalidNamespace = -2147217394;  // 0x8004100E

struct Raised {
    std::int32_t number;
    std::string description;
    friend bool operator==(const Raised&, const Raised&) = default;
};

std::optional<Raised> raisedBy(const std::function<void()>& call) {
    try {
        call();
    } catch (const com::Error& e) {
        return Raised{e.number(), e.description()};
    }
    return std::nullopt;
}

// What the add-in puts between the apostrophes: the name with every
// backslash doubled and nothing else escaped.
std::string asTheAddInEscapes(const std::string& name) {
    std::string out;
    for (char c : name) {
        out += c;
        if (c == '\\') out += c;
    }
    return out;
}

class WmiTest : public ::testing::Test {
protected:
    TestWorld world_;

    void SetUp() override {
        for (const char* name : {"Laser", "Büro-Tinte"}) printers::install(name);
        printers::install(networkPrinter);
        ASSERT_TRUE(printers::setDefaultPrinter("Laser"));
    }

    static com::Object query(const std::string& text) {
        return com::GetObject(moniker).object("ExecQuery", {{com::Variant(text)}});
    }

    static com::Object queryByName(const std::string& name) {
        return query("SELECT * FROM Win32_Printer WHERE Name = '" + asTheAddInEscapes(name) + "'");
    }

    static std::vector<std::string> namesIn(const com::Object& printers) {
        std::vector<std::string> names;
        const com::Variant all = printers.get("_NewEnum");
        for (const com::Variant& printer : all.toArray())
            names.push_back(com::Object::from(printer).get("Name").toString());
        return names;
    }
};

TEST(WqlLiteral, EscapesAndMalformedLiterals) {
    const std::pair<std::string, std::optional<std::string>> rows[] = {
        {"Laser", "Laser"},
        {"", ""},
        {"\\\\\\\\druckserver\\\\Etage 2", "\\\\druckserver\\Etage 2"},
        {"O\\'Neil", "O'Neil"},
        {"Zitat \\\"A\\\"", "Zitat \"A\""},
        {"Zitat \"A\"", "Zitat \"A\""},
        {"\\\\\\'", "\\'"},
        // Other backslashes stay, with the character after them.
        {"C:\\temp", "C:\\temp"},
        {"\\\\druckserver\\Etage 2", "\\druckserver\\Etage 2"},
        {"O'Neil", std::nullopt},
        {"'", std::nullopt},
        {"Ende\\", std::nullopt},
        {"Ende\\\\", "Ende\\"},
    };
    for (const auto& [literal, name] : rows) EXPECT_EQ(printers::wmi::parseLiteral(literal), name) << literal;
}

TEST_F(WmiTest, QueriesAndWhatTheyFind) {
    const std::vector<std::string> all = {networkPrinter, "Büro-Tinte", "Laser"};
    struct Row {
        std::string query;
        std::vector<std::string> found;
    };
    const Row rows[] = {
        {"SELECT * FROM Win32_Printer", all},
        {"select * from win32_printer", all},
        {"SELECT\t*\r\nFROM  Win32_Printer  ", all},
        {"SELECT*FROM Win32_Printer", all},
        {"SELECT * FROM Win32_Printer WHERE Name = 'Laser'", {"Laser"}},
        {"select * from WIN32_PRINTER where NAME='laser'", {"Laser"}},
        {"SELECT * FROM Win32_Printer WHERE Name = 'BÜRO-TINTE'", {"Büro-Tinte"}},
        {"SELECT * FROM Win32_Printer WHERE Name = \"Laser\"", {"Laser"}},
        {"SELECT * FROM Win32_Printer WHERE Name = '\\\\\\\\DRUCKSERVER\\\\etage 2'", {networkPrinter}},
        // Backslashes that were not doubled find no printer rather than another one.
        {"SELECT * FROM Win32_Printer WHERE Name = '\\\\druckserver\\Etage 2'", {}},
        {"SELECT * FROM Win32_Printer WHERE Name = ''", {}},
        {"SELECT * FROM Win32_Printer WHERE Name = 'Laser '", {}},
    };
    for (const Row& row : rows) {
        const auto printers = query(row.query);
        EXPECT_EQ(printers.get("Count").toLong(), static_cast<std::int32_t>(row.found.size())) << row.query;
        EXPECT_EQ(namesIn(printers), row.found) << row.query;
    }
    EXPECT_EQ(printers::defaultPrinter(), "Laser");
}

TEST_F(WmiTest, MalformedQueriesRaise) {
    const Raised malformed{invalidQuery, "Ungültige Abfrage"};
    const std::pair<std::string, Raised> rows[] = {
        {"SELECT * FROM Win32_Printer WHERE Name = 'O'Neil'", malformed},
        {"SELECT * FROM Win32_Printer WHERE Name = 'Laser' AND Default = TRUE", malformed},
        {"SELECT * FROM Win32_Printer WHERE Name = 'Laser", malformed},
        {"SELECT * FROM Win32_Printer WHERE Name = 'Laser\\'", malformed},
        {"SELECT * FROM Win32_Printer WHERE Name = Laser", malformed},
        {"SELECT * FROM Win32_Printer WHERE Default = TRUE", malformed},
        {"SELECT * FROM Win32_Printer WHERE", malformed},
        {"SELECT Name FROM Win32_Printer", malformed},
        {"SELECT * Win32_Printer", malformed},
        {"SELECT * FROMWin32_Printer", malformed},
        {"", malformed},
        {"SELECT * FROM Win32_Service", {invalidClass, "Ungültige Klasse"}},
    };
    for (const auto& [text, expected] : rows) EXPECT_EQ(raisedBy([&] { (void)query(text); }), expected) << text;
    EXPECT_EQ(printers::defaultPrinter(), "Laser");
}

TEST_F(WmiTest, MonikersOfTheLocalPrinterNamespace) {
    const std::pair<std::string, std::optional<Raised>> rows[] = {
        {moniker, std::nullopt},
        {"WINMGMTS:{ImpersonationLevel=Impersonate}!\\\\.\\ROOT\\CIMV2", std::nullopt},
        {"winmgmts:", std::nullopt},
        {"winmgmts://./root/cimv2", std::nullopt},
        {"winmgmts:root\\cimv2", std::nullopt},
        {"winmgmts:{impersonationLevel=impersonate}!\\\\.\\root\\default",
         Raised{invalidNamespace, "Ungültiger Namespace"}},
        {"winmgmts:{impersonationLevel=impersonate}!\\\\.\\root\\cimv2:Win32_Printer",
         Raised{invalidClass, "Ungültige Klasse"}},
        {"winmgmts:{impersonationLevel=impersonate}!\\\\druckserver\\root\\cimv2",
         Raised{-2147023174, "Der RPC-Server ist nicht verfügbar."}},
        {"winmgmts:{impersonationLevel=impersonate\\\\.\\root\\cimv2", Raised{-2147221020, "Ungültige Syntax"}},
    };
    for (const auto& [displayName, expected] : rows) {
        const auto raised = raisedBy([&] {
            EXPECT_EQ(com::GetObject(displayName)
                          .object("ExecQuery", {{com::Variant("SELECT * FROM Win32_Printer")}})
                          .get("Count")
                          .toLong(),
                      3);
        });
        EXPECT_EQ(raised, expected) << displayName;
    }
}

TEST_F(WmiTest, NetworkPrinterBecomesTheDefaultAsTheAddInSwitchesIt) {
    const com::Object found = queryByName(networkPrinter);
    ASSERT_EQ(found.get("Count").toLong(), 1);
    const com::Variant all = found.get("_NewEnum");
    for (const com::Variant& item : all.toArray()) {
        const com::Object printer = com::Object::from(item);
        EXPECT_EQ(printer.get("Name").toString(), networkPrinter);
        EXPECT_EQ(printer.get("Default"), com::Variant(com::False));
        EXPECT_EQ(printer.call("SetDefaultPrinter"), com::Variant(std::int32_t{0}));
    }
    EXPECT_EQ(printers::defaultPrinter(), networkPrinter);
    EXPECT_EQ(queryByName(networkPrinter).object("Item", {{com::Variant(std::int32_t{0})}}).get("Default"),
              com::Variant(com::True));
    EXPECT_EQ(queryByName("Laser").object("Item", {{com::Variant(std::int32_t{0})}}).get("Default"),
              com::Variant(com::False));
}

// Windows keeps the user's default printer in the registry; deleting it
// through the registry provider leaves the user without one.
TEST_F(WmiTest, TheRegistryProviderDeletesTheDefaultPrinter) {
    const std::string windowsKey = "Software\\Microsoft\\Windows NT\\CurrentVersion\\Windows";
    constexpr auto currentUser = static_cast<std::int32_t>(0x80000001u);
    constexpr auto localMachine = static_cast<std::int32_t>(0x80000002u);
    struct Row {
        std::int32_t key;
        std::string subKey;
        std::string value;
        std::int32_t answer;
        std::optional<std::string> defaultAfter;
    };
    const Row rows[] = {
        {localMachine, windowsKey, "Device", 2, "Laser"},
        {currentUser, windowsKey, "Drucker", 2, "Laser"},
        {currentUser, "Software\\Kalmora", "Device", 2, "Laser"},
        {currentUser, windowsKey, "Device", 0, std::nullopt},
        {currentUser, "SOFTWARE\\microsoft\\windows nt\\currentversion\\windows", "DEVICE", 2, std::nullopt},
    };
    for (const char* displayName : {"winmgmts:{impersonationLevel=impersonate}!\\\\.\\root\\default:StdRegProv",
                                    "winmgmts:root\\default:stdregprov"}) {
        ASSERT_TRUE(printers::setDefaultPrinter("Laser"));
        for (const Row& row : rows) {
            SCOPED_TRACE(std::string(displayName) + " " + row.subKey + " " + row.value);
            const com::Object registry = com::GetObject(displayName);
            EXPECT_EQ(registry.call("DeleteValue", {{row.key, row.subKey, row.value}}), com::Variant(row.answer));
            EXPECT_EQ(printers::defaultPrinter(), row.defaultAfter);
        }
    }
    EXPECT_EQ(raisedBy([] { (void)com::GetObject("winmgmts:root\\default:Win32_Printer"); }),
              (Raised{invalidClass, "Ungültige Klasse"}));
}

TEST_F(WmiTest, ItemsByPositionFromZero) {
    const com::Object all = query("SELECT * FROM Win32_Printer");
    EXPECT_EQ(all.object("Item", {{com::Variant(std::int32_t{2})}}).get("Name").toString(), "Laser");
    EXPECT_EQ(all.object("ItemIndex", {{com::Variant(std::int32_t{0})}}).get("Name").toString(), networkPrinter);
    for (std::int32_t outside : {-1, 3})
        EXPECT_EQ(raisedBy([&] { (void)all.get("Item", {{com::Variant(outside)}}); }),
                  (Raised{-2147217406, "Nicht gefunden"}))
            << outside;
}

}  // namespace
