#include "Shell.h"

#include <sys/stat.h>
#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <mutex>
#include <string_view>

#include "CommandLine.h"
#include "Files.h"
#include "Process.h"

namespace win32 {

namespace {

// Any value above 32 tells success; Windows hands back a fake instance handle.
constexpr std::intptr_t handedOver = 42;

struct InstalledHandler {
    std::mutex mutex;
    OpenHandler handler;
};

InstalledHandler& installed() {
    static InstalledHandler handler;
    return handler;
}

OpenHandler currentHandler() {
    auto& slot = installed();
    std::lock_guard lock(slot.mutex);
    return slot.handler;
}

bool isOpenVerb(std::string_view verb) {
    constexpr std::string_view open = "open";
    if (verb.empty()) return true;
    if (verb.size() != open.size()) return false;
    for (std::size_t i = 0; i < open.size(); ++i) {
        if ((verb[i] | 0x20) != open[i]) return false;
    }
    return true;
}

bool isFolder(const std::filesystem::path& path) {
    struct stat status {};
    return ::stat(path.c_str(), &status) == 0 && S_ISDIR(status.st_mode);
}

// Why `path` cannot be opened, as ShellExecute's small error numbers say it;
// 0 when it can.
std::intptr_t missingError(const std::filesystem::path& path) {
    struct stat status {};
    if (::stat(path.c_str(), &status) == 0) return 0;
    switch (errno) {
        case ENOENT: return isFolder(path.parent_path()) ? SE_ERR_FNF : SE_ERR_PNF;
        case ENOTDIR:
        case ENAMETOOLONG: return SE_ERR_PNF;
        case EACCES: return SE_ERR_ACCESSDENIED;
        default: return SE_ERR_FNF;
    }
}

// One argument as the Windows splitter (CommandLine.h) reads it back
// unchanged: in quotes, with backslashes before a quote doubled.
std::string quotedArgument(std::string_view text) {
    std::string quoted = "\"";
    std::size_t backslashes = 0;
    for (char c : text) {
        if (c == '\\') {
            ++backslashes;
        } else {
            if (c == '"') quoted.append(backslashes + 1, '\\');
            backslashes = 0;
        }
        quoted += c;
    }
    quoted.append(backslashes, '\\');
    return quoted + "\"";
}

bool hasDisplay() {
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY"}) {
        const char* value = std::getenv(name);
        if (value != nullptr && *value != '\0') return true;
    }
    return false;
}

// Hands the file to the desktop's opener without waiting for it: the viewer
// may run for as long as the user reads. Whether the desktop then finds a
// viewer is its own business, as it is for Windows' association.
bool openOnDesktop(const std::string& path, int showCommand) {
    if (!hasDisplay()) return false;
    const auto opener = findProgram("xdg-open");
    // The program name of a command line cannot hold a quote.
    if (opener.empty() || opener.find('"') != std::string::npos) return false;
    StartedProcess started;
    const int showWindow = showCommand == SW_HIDE ? SW_HIDE : SW_SHOWNORMAL;
    return startProcess({"\"" + opener + "\" " + quotedArgument(path), showWindow}, started) == TRUE;
}

}  // namespace

void setOpenHandler(OpenHandler handler) {
    auto& slot = installed();
    std::lock_guard lock(slot.mutex);
    slot.handler = std::move(handler);
}

// The owner window only parents error dialogs on Windows, and none are shown
// here. A maximised show command is a wish the viewer may ignore.
std::intptr_t ShellExecuteA(HWND, const std::string& operation, const std::string& file, const std::string&,
                            const std::string& directory, int showCommand) noexcept {
    try {
        if (!isOpenVerb(operation)) return SE_ERR_NOASSOC;
        if (file.empty()) return SE_ERR_FNF;
        std::filesystem::path path = hostPath(file);
        if (path.is_relative() && !directory.empty()) path = std::filesystem::path(hostPath(directory)) / path;
        // The viewer runs elsewhere, in a folder of its own.
        path = std::filesystem::absolute(path);
        if (const auto error = missingError(path)) return error;
        if (const auto handler = currentHandler()) return handler(path.string()) ? handedOver : SE_ERR_NOASSOC;
        return openOnDesktop(path.string(), showCommand) ? handedOver : SE_ERR_NOASSOC;
    } catch (...) {
        // A handler that throws, or no memory for the path: nothing opened.
        return SE_ERR_NOASSOC;
    }
}

}  // namespace win32
