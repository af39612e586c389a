// What the system must supply to the extension: a need that is missing is
// told by its Debian package, with the command that installs it.
#include "platform/office/libreoffice/SystemNeeds.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "tests/support/ScopedVariable.h"
#include "tests/support/TempFolder.h"

namespace {

using office::libreoffice::missingPackages;
using office::libreoffice::SystemNeed;
using office::libreoffice::systemNeeds;
using Kind = SystemNeed::Kind;

TEST(SystemNeeds, AMissingProgramOrLibraryIsToldByItsPackage) {
    TempFolder folder;
    folder.write("pdftk", "#!/bin/sh\n");  // there, but no program
    const SystemNeed shell{Kind::Program, "/bin/sh", "dash"};
    const SystemNeed library{Kind::Library, "libc.so.6", "libc6"};
    const SystemNeed noProgram{Kind::Program, folder.path("pdftk"), "pdftk"};
    const SystemNeed noLibrary{Kind::Library, "libkalmora-fehlt.so.29", "libqpdf29"};
    const std::string noFile = folder.path("pdftk") + " ist nicht vorhanden.";
    const std::string notLoaded =
        "Die Bibliothek libkalmora-fehlt.so.29 lässt sich nicht laden: libkalmora-fehlt.so.29: cannot open shared "
        "object file: No such file or directory";
    struct Case {
        const char* what;
        std::vector<SystemNeed> needs;
        std::optional<std::string> told;
    };
    for (const Case& c : {
             Case{"all there", {shell, library}, std::nullopt},
             Case{"pdftk missing",
                  {noProgram, library},
                  "Für pdf-Kalmora fehlt das Debian-Paket \"pdftk\". Bitte installieren Sie es: sudo apt install "
                  "pdftk\r\n" +
                      noFile},
             Case{"qpdf missing",
                  {shell, noLibrary},
                  "Für pdf-Kalmora fehlt das Debian-Paket \"libqpdf29\". Bitte installieren Sie es: sudo apt install "
                  "libqpdf29\r\n" +
                      notLoaded},
             Case{"both missing",
                  {noProgram, noLibrary},
                  "Für pdf-Kalmora fehlen die Debian-Pakete \"pdftk\" und \"libqpdf29\". Bitte installieren Sie sie: "
                  "sudo apt install pdftk libqpdf29\r\n" +
                      noFile + "\r\n" + notLoaded},
         }) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(missingPackages(c.needs), c.told);
    }
}

TEST(SystemNeeds, ThisBuildNeedsThePdftkThatPdftkExeRunsAndTheQpdfItLinked) {
    {
        const ScopedVariable configured("KALMORA_PDFTK", std::nullopt);
        const std::vector<SystemNeed> needs = systemNeeds();
        ASSERT_EQ(needs.size(), 2u);
        EXPECT_EQ(needs[0].name, "/usr/bin/pdftk");
        EXPECT_EQ(needs[0].package, "pdftk");
        EXPECT_TRUE(needs[1].kind == Kind::Library && needs[1].name.starts_with("libqpdf.so."));
        EXPECT_TRUE(needs[1].package.starts_with("libqpdf"));
        // The build machine has them.
        EXPECT_EQ(missingPackages(needs), std::nullopt);
    }
    const ScopedVariable configured("KALMORA_PDFTK", "/nirgends/pdftk");
    EXPECT_EQ(systemNeeds()[0].name, "/nirgends/pdftk");
}

}  // namespace
