#include "CommandLine.h"

#include <dlfcn.h>
#include <sys/stat.h>
#include <unistd.h>
#include <cstdlib>
#include <filesystem>

#include "Files.h"

namespace win32 {

namespace {

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

// The program name ends at the closing quote without looking at backslashes,
// as Windows reads it: a program folder may well end in "\". Text right after
// the closing quote already belongs to the first argument, as the system's
// own splitter reads it.
std::string_view takeProgram(std::string_view& rest) {
    if (rest.front() == '"') {
        auto close = rest.find('"', 1);
        auto name = rest.substr(1, close == std::string_view::npos ? std::string_view::npos : close - 1);
        rest.remove_prefix(close == std::string_view::npos ? rest.size() : close + 1);
        return name;
    }
    std::size_t end = 0;
    while (end < rest.size() && !isBlank(rest[end])) ++end;
    auto name = rest.substr(0, end);
    rest.remove_prefix(end);
    return name;
}

std::string takeArgument(std::string_view& rest) {
    std::string argument;
    bool quoted = false;
    std::size_t i = 0;
    while (i < rest.size()) {
        std::size_t backslashes = 0;
        while (i < rest.size() && rest[i] == '\\') {
            ++backslashes;
            ++i;
        }
        if (i < rest.size() && rest[i] == '"') {
            argument.append(backslashes / 2, '\\');
            if (backslashes % 2 == 1)
                argument += '"';
            else
                quoted = !quoted;
            ++i;
            continue;
        }
        argument.append(backslashes, '\\');
        if (i == rest.size() || (!quoted && isBlank(rest[i]))) break;
        argument += rest[i];
        ++i;
    }
    rest.remove_prefix(i);
    return argument;
}

bool isRunnableFile(const std::string& path) {
    struct stat status {};
    return ::stat(path.c_str(), &status) == 0 && S_ISREG(status.st_mode) && ::access(path.c_str(), X_OK) == 0;
}

bool endsWithExe(std::string_view name) {
    if (name.size() < 4) return false;
    auto tail = name.substr(name.size() - 4);
    return tail[0] == '.' && (tail[1] | 0x20) == 'e' && (tail[2] | 0x20) == 'x' && (tail[3] | 0x20) == 'e';
}

// The names a program may have on disk, in the order tried. Windows adds
// ".exe" to a name without an extension; the Linux tools that stand in for
// Windows programs ("pdftk.exe" → pdftk) carry no extension at all.
std::vector<std::string> diskNames(const std::string& program) {
    std::vector<std::string> names{program};
    if (endsWithExe(program))
        names.push_back(program.substr(0, program.size() - 4));
    else if (std::filesystem::path(program).extension().empty())
        names.push_back(program + ".exe");
    return names;
}

}  // namespace

std::vector<std::string> splitCommandLine(std::string_view commandLine) {
    std::vector<std::string> parts;
    // Leading blanks would make an empty program name, which can never be
    // started; skipping them is what a user typing the line means.
    while (!commandLine.empty() && isBlank(commandLine.front())) commandLine.remove_prefix(1);
    if (commandLine.empty()) return parts;
    parts.emplace_back(takeProgram(commandLine));
    for (;;) {
        while (!commandLine.empty() && isBlank(commandLine.front())) commandLine.remove_prefix(1);
        if (commandLine.empty()) break;
        parts.push_back(takeArgument(commandLine));
    }
    return parts;
}

std::string findProgram(const std::string& program) {
    if (program.empty()) return {};
    if (program.find_first_of("/\\") != std::string::npos) {
        auto host = hostPath(program);
        auto slash = host.rfind('/');
        for (const auto& name : diskNames(host.substr(slash + 1))) {
            auto candidate = host.substr(0, slash + 1) + name;
            if (isRunnableFile(candidate)) return candidate;
        }
        return {};
    }
    std::vector<std::string> folders{toolsFolder()};
    if (const char* path = std::getenv("PATH")) {
        std::string_view rest(path);
        while (!rest.empty()) {
            auto colon = rest.find(':');
            auto folder = rest.substr(0, colon);
            // An empty PATH entry means the current folder, as for execvp.
            folders.emplace_back(folder.empty() ? "." : folder);
            rest.remove_prefix(colon == std::string_view::npos ? rest.size() : colon + 1);
        }
    }
    for (const auto& folder : folders) {
        for (const auto& name : diskNames(program)) {
            auto candidate = (std::filesystem::path(folder) / name).string();
            if (isRunnableFile(candidate)) return candidate;
        }
    }
    return {};
}

std::string toolsFolder() {
    // The build and the installation both put the platform's programs into
    // bin/ beside the lib/ folder of this library, wherever that tree lies.
    static const char anchor = 0;
    Dl_info info{};
    if (::dladdr(&anchor, &info) == 0 || info.dli_fname == nullptr) return {};
    std::error_code error;
    auto library = std::filesystem::canonical(info.dli_fname, error);
    if (error) return {};
    return (library.parent_path().parent_path() / "bin").string();
}

}  // namespace win32
