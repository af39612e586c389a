#include "platform/office/render/DocumentFile.h"

#include <fcntl.h>
#include <sys/stat.h>

#include <optional>
#include <string>
#include <utility>

#include "platform/office/render/OfficeRenderer.h"
#include "platform/win32/FileDescriptor.h"

namespace office {

namespace {

std::string whyNot(mode_t mode) {
    if (S_ISREG(mode)) return {};
    if (S_ISDIR(mode)) return "Der Pfad ist ein Ordner.";
    if (S_ISFIFO(mode)) return "Der Pfad ist keine gewöhnliche Datei, sondern eine Pipe.";
    if (S_ISSOCK(mode)) return "Der Pfad ist keine gewöhnliche Datei, sondern ein Socket.";
    return "Der Pfad ist keine gewöhnliche Datei, sondern ein Gerät.";
}

}  // namespace

std::string whyNoDocumentFile(const std::filesystem::path& file) {
    struct stat status {};
    if (::stat(file.c_str(), &status) != 0) return "Die Datei gibt es nicht.";
    return whyNot(status.st_mode);
}

std::string readDocumentFile(const std::filesystem::path& file) {
    if (const std::string why = whyNoDocumentFile(file); !why.empty()) throw DocumentRefused(file, why);
    // Without O_NONBLOCK a pipe put in the file's place since would hold the
    // open; what was opened is looked at once more.
    const win32::FileDescriptor in(::open(file.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
    struct stat status {};
    if (in.valid() && ::fstat(in.get(), &status) == 0) {
        if (const std::string why = whyNot(status.st_mode); !why.empty()) throw DocumentRefused(file, why);
    }
    std::optional<std::string> contents = in.valid() ? in.readAll() : std::nullopt;
    if (!contents) throw DocumentRefused(file, "Die Datei lässt sich nicht lesen.");
    return std::move(*contents);
}

}  // namespace office
