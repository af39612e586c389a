#pragma once
// Each user's part of an installation, made by the extension at every start
// of the office, so that every user of the machine gets one of their own
// without an installer: the add-in folder ($XDG_DATA_HOME/pdf-Kalmora) with
// links to the installation's add-in, pdftk.exe, guard and libraries; where
// the installation brings its own letterheads and no settings file, links to
// them and, once, the user's settings file naming them; and the user's world
// with the PDF printer, a default printer, the PDF printer's class and the
// add-in registered, and the add-in in the lists of Word and Excel.
//
// Only what differs is changed: a second run writes nothing, and an
// installation that moved (the office unpacks an updated extension into a
// new folder) is followed by the links. The user's settings file, the
// add-in's notes and whatever else lies in the folder stay as they are.
#include <filesystem>
#include <optional>
#include <string>

namespace office::libreoffice {

class UserSetup {
public:
    // `root` is the installation: PDF_Kalmora.so, pdftk.exe, pdftk-guard,
    // lib/ (libPDFCreator.so among the libraries), bin/, and either the
    // administrator's pdf-Kalmora.ini or the letterheads in Briefpapier/.
    explicit UserSetup(std::filesystem::path root) : root_(std::move(root)) {}

    // $XDG_DATA_HOME/pdf-Kalmora, else ~/.local/share/pdf-Kalmora. Throws
    // std::runtime_error when neither variable is set.
    static std::filesystem::path addInFolder();

    // Makes or mends the user's part. Nothing when all is in place; else the
    // message for the user, naming the path and the cause (German). What
    // could be made is made: a settings file that cannot hold the user's
    // paths leaves the links and the world in place.
    std::optional<std::string> run() const;

private:
    std::filesystem::path root_;
};

}  // namespace office::libreoffice
