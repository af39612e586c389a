#include "platform/pdfprinter/PrinterState.h"

#include <fcntl.h>
#include <sys/file.h>
#include <array>
#include <cerrno>
#include <map>
#include <system_error>
#include <utility>

#include "platform/com/LowerCase.h"
#include "platform/win32/AtomicFile.h"
#include "platform/win32/EscapedText.h"
#include "platform/win32/FileDescriptor.h"
#include "platform/world/World.h"

namespace pdfprinter {

namespace {

namespace fs = std::filesystem;

// Values are free text (paths with "\" and "%" among them); only what would
// break the line format is escaped, so that the file stays readable.
constexpr std::array<win32::Escape, 4> LineEscapes{{
    {'%', "%25"},
    {'=', "%3D"},
    {'\n', "%0A"},
    {'\r', "%0D"},
}};

std::string escape(std::string_view text) {
    return win32::escaped(text, {.escapes = LineEscapes});
}

// A "%" that starts no escape of ours stands for itself.
std::string unescape(std::string_view text) {
    return *win32::unescaped(text, {.escapes = LineEscapes}, win32::UnknownEscapes::Kept);
}

struct Entry {
    std::string name;  // as first written
    std::string value;
};
using Options = std::map<std::string, Entry>;  // key: the name in lower case

Options parse(std::string_view text) {
    Options options;
    while (!text.empty()) {
        const auto end = text.find('\n');
        const std::string_view line = text.substr(0, end);
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
        const auto equals = line.find('=');
        if (equals == std::string_view::npos) continue;
        std::string name = unescape(line.substr(0, equals));
        options.emplace(com::lowerCase(name), Entry{name, unescape(line.substr(equals + 1))});
    }
    return options;
}

std::string format(const Options& options) {
    std::string text;
    for (const auto& [key, entry] : options) text += escape(entry.name) + "=" + escape(entry.value) + "\n";
    return text;
}

// Hosts may set options at the same time; the lock keeps one host's change
// from overwriting another's between read and write.
class OptionsLock {
public:
    explicit OptionsLock(const fs::path& folder)
        : file_(::open((folder / "options.lock").c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0666)) {
        if (!file_.valid()) throw std::system_error(errno, std::generic_category(), "options.lock");
        while (::flock(file_.get(), LOCK_EX) != 0) {
            if (errno != EINTR) throw std::system_error(errno, std::generic_category(), "options.lock");
        }
    }

private:
    win32::FileDescriptor file_;  // closing it releases the lock
};

}  // namespace

PrinterState::PrinterState() : PrinterState(world::subfolder("pdfprinter")) {}

PrinterState::PrinterState(std::filesystem::path folder) : folder_(std::move(folder)) {}

std::string PrinterState::option(std::string_view name) const {
    const auto options = parse(win32::readWholeFile(folder_ / "options").value_or(""));
    const auto found = options.find(com::lowerCase(name));
    return found == options.end() ? std::string() : found->second.value;
}

void PrinterState::setOption(std::string_view name, std::string_view value) {
    OptionsLock lock(folder_);
    auto options = parse(win32::readWholeFile(folder_ / "options").value_or(""));
    auto& entry = options[com::lowerCase(name)];
    if (entry.name.empty()) entry.name = name;
    entry.value = value;
    win32::writeFileAtomically(folder_ / "options", format(options));
}

JobFlow PrinterState::jobFlow() const {
    return fs::exists(folder_ / "hold") ? JobFlow::Hold : JobFlow::Process;
}

void PrinterState::setJobFlow(JobFlow flow) {
    if (flow == JobFlow::Hold) {
        win32::writeFileAtomically(folder_ / "hold", "");
    } else {
        fs::remove(folder_ / "hold");
    }
}

std::string PrinterState::lastOutput() const {
    return win32::readWholeFile(folder_ / "last-output").value_or("");
}

void PrinterState::setLastOutput(std::string_view path) {
    win32::writeFileAtomically(folder_ / "last-output", path);
}

std::string PrinterState::lastError() const {
    return win32::readWholeFile(folder_ / "last-error").value_or("");
}

void PrinterState::setLastError(std::string_view why) {
    win32::writeFileAtomically(folder_ / "last-error", why);
}

void PrinterState::requestStop(int pid) {
    win32::writeFileAtomically(folder_ / "stop-request", std::to_string(pid));
}

bool PrinterState::stopRequested(int pid) const {
    return win32::readWholeFile(folder_ / "stop-request") == std::to_string(pid);
}

void PrinterState::clearStopRequest() {
    fs::remove(folder_ / "stop-request");
}

}  // namespace pdfprinter
