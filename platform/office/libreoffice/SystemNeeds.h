#pragma once
// What the system must supply to the extension, which an extension cannot
// carry: Debian's pdftk, and the libraries that the hosts and the add-in
// link beyond those the office brings (libqpdf). Asked before the hosts'
// library is loaded, since it would not load without them, so that the user
// learns which package to install.
#include <optional>
#include <string>
#include <vector>

namespace office::libreoffice {

struct SystemNeed {
    enum class Kind { Program, Library };
    Kind kind;
    std::string name;     // a program's path, or a library's name as the loader looks it up
    std::string package;  // the Debian package that brings it
};

// The needs of this build: the pdftk that pdftk.exe runs, and the qpdf
// library the build linked, with their packages.
std::vector<SystemNeed> systemNeeds();

// The message that names the packages of the needs the system lacks, with
// the command that installs them; none when nothing is missing.
std::optional<std::string> missingPackages(const std::vector<SystemNeed>& needs);

}  // namespace office::libreoffice
