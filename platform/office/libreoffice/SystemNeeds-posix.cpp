#include "platform/office/libreoffice/SystemNeeds.h"

#include <dlfcn.h>
#include <unistd.h>

#include "platform/tools/pdftk/PdftkProgram.h"

namespace office::libreoffice {

namespace {

// Why the need is not met; none when it is.
std::optional<std::string> lack(const SystemNeed& need) {
    if (need.kind == SystemNeed::Kind::Program) {
        if (::access(need.name.c_str(), X_OK) == 0) return std::nullopt;
        return need.name + " ist nicht vorhanden.";
    }
    // Loaded as the hosts will load it; it stays, as it would with them.
    if (void* library = ::dlopen(need.name.c_str(), RTLD_NOW | RTLD_LOCAL)) {
        ::dlclose(library);
        return std::nullopt;
    }
    const char* cause = ::dlerror();
    return "Die Bibliothek " + need.name + " lässt sich nicht laden: " + (cause ? cause : "unbekannter Fehler");
}

}  // namespace

std::vector<SystemNeed> systemNeeds() {
    return {{SystemNeed::Kind::Program, pdftk::program(), pdftk::kDebianPackage},
            {SystemNeed::Kind::Library, KALMORA_QPDF_SONAME, KALMORA_QPDF_PACKAGE}};
}

std::optional<std::string> missingPackages(const std::vector<SystemNeed>& needs) {
    std::vector<std::string> packages;
    std::string causes;
    for (const SystemNeed& need : needs) {
        const std::optional<std::string> why = lack(need);
        if (!why) continue;
        packages.push_back(need.package);
        causes += "\r\n" + *why;
    }
    if (packages.empty()) return std::nullopt;
    std::string quoted;
    std::string command = "sudo apt install";
    for (std::size_t i = 0; i < packages.size(); ++i) {
        quoted += (i == 0 ? "" : i + 1 == packages.size() ? " und " : ", ") + ("\"" + packages[i] + "\"");
        command += " " + packages[i];
    }
    if (packages.size() == 1)
        return "Für pdf-Kalmora fehlt das Debian-Paket " + quoted + ". Bitte installieren Sie es: " + command + causes;
    return "Für pdf-Kalmora fehlen die Debian-Pakete " + quoted + ". Bitte installieren Sie sie: " + command + causes;
}

}  // namespace office::libreoffice
