// Registering the add-in library and creating the add-in by its name, as the
// hosts do.
#include <dlfcn.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "platform/com/Activation.h"
#include "platform/com/Registry.h"
#include "platform/office/addins/Extensibility.h"
#include "tests/support/PdfText.h"
#include "tests/support/ScopedVariable.h"
#include "tests/support/TempFolder.h"

namespace {

class Registration : public ::testing::Test {
protected:
    TempFolder folder;
    const ScopedVariable world{"KALMORA_WORLD", folder.path("Welt")};

    static int regsvr(const std::string& arguments, std::string* output = nullptr) {
        const std::string out = pdf::run(std::string(REGSVR_PROGRAM) + " " + arguments + " 2>&1; echo \"exit=$?\"");
        if (output) *output = out;
        return std::stoi(out.substr(out.rfind("exit=") + 5));
    }
};

TEST_F(Registration, RegisteringMakesTheAddInCreatableByNameAndUnregisteringUndoesIt) {
    const std::string library = ADDIN_LIBRARY;
    // Given by a path that is not normalised, the library is registered
    // under its normalised path, its class and its type library alike.
    ASSERT_EQ(regsvr(pdf::quoted(std::string(ADDIN_FOLDER) + "/./PDF_Kalmora.so")), 0);
    const auto entry = com::registry::findProgId("PDF_Kalmora.Connect");
    ASSERT_TRUE(entry);
    EXPECT_EQ(entry->clsid.toString(), "{59C8A7B6-5203-4914-8730-45E22C514639}");
    EXPECT_EQ(entry->inprocServer, library);
    EXPECT_EQ(entry->threadingModel, "Apartment");
    const auto typeLib = com::registry::findTypeLib(*com::Guid::parse("{44D7BF3A-E2F8-4256-810E-C101A97978CF}"));
    ASSERT_TRUE(typeLib);
    EXPECT_EQ(typeLib->name, "PDF_Kalmora");
    EXPECT_EQ(typeLib->version, "30.0");
    EXPECT_EQ(typeLib->locale, 0);
    EXPECT_EQ(typeLib->path, library);
    const auto connectInterface =
        com::registry::findInterface(*com::Guid::parse("{D9D2A035-7D13-4288-A336-BB574FA696C8}"));
    ASSERT_TRUE(connectInterface);
    EXPECT_EQ(connectInterface->name, "_Connect");

    {
        com::Object addIn = com::CreateObject("PDF_Kalmora.Connect");
        void* typed = nullptr;
        ASSERT_EQ(addIn.dispatch()->QueryInterface(office::IID_IDTExtensibility2, &typed), com::S_OK);
        static_cast<com::IUnknown*>(typed)->Release();
        // While an add-in object lives, the library stays.
        com::freeUnusedLibraries();
        void* stillLoaded = ::dlopen(library.c_str(), RTLD_NOW | RTLD_NOLOAD);
        EXPECT_NE(stillLoaded, nullptr);
        if (stillLoaded) ::dlclose(stillLoaded);
    }
    com::freeUnusedLibraries();
    EXPECT_EQ(::dlopen(library.c_str(), RTLD_NOW | RTLD_NOLOAD), nullptr);

    ASSERT_EQ(regsvr("/u " + pdf::quoted(library)), 0);
    EXPECT_FALSE(com::registry::findProgId("PDF_Kalmora.Connect"));
    EXPECT_FALSE(com::registry::findTypeLib(*com::Guid::parse("{44D7BF3A-E2F8-4256-810E-C101A97978CF}")));
    EXPECT_THROW(com::CreateObject("PDF_Kalmora.Connect"), com::Error);
}

TEST_F(Registration, TheLibraryTellsItsVersionRecord) {
    std::string shown;
    ASSERT_EQ(regsvr("--info " + pdf::quoted(ADDIN_LIBRARY), &shown), 0);
    // The project's version, written with a two-digit minor number and a
    // four-digit revision, and as a number with the build 0 before the revision.
    char written[32];
    std::snprintf(written, sizeof written, "%d.%02d.%04d", KALMORA_VERSION_MAJOR, KALMORA_VERSION_MINOR,
                  KALMORA_VERSION_REVISION);
    const std::string number = std::to_string(KALMORA_VERSION_MAJOR) + "." + std::to_string(KALMORA_VERSION_MINOR) +
                               ".0." + std::to_string(KALMORA_VERSION_REVISION);
    const std::string lines[] = {"FileDescription=Office Add In",
                                 "ProductName=PDF_Kalmora",
                                 "FileVersion=" + std::string(written),
                                 "ProductVersion=" + std::string(written),
                                 "FileVersionNumber=" + number,
                                 "ProductVersionNumber=" + number,
                                 "OLESelfRegister="};
    for (const std::string& line : lines) EXPECT_NE(shown.find(line + "\n"), std::string::npos) << line;
}

TEST_F(Registration, ABadCommandLineOrLibraryIsRefused) {
    EXPECT_EQ(regsvr(""), 2);
    EXPECT_EQ(regsvr(pdf::quoted(folder.path("fehlt.so"))), 1);
}

}  // namespace
