#include "platform/printers/Wmi.h"

#include <algorithm>
#include <string_view>

#include "platform/com/Activation.h"
#include "platform/printers/PrinterNames.h"
#include "platform/printers/StdRegProv.h"
#include "platform/printers/WmiErrors.h"
#include "platform/printers/WmiService.h"

namespace printers::wmi {

namespace {

constexpr std::string_view prefix = "winmgmts:";

bool isSeparator(char c) {
    return c == '\\' || c == '/';
}

bool isLocalMachine(std::string_view machine) {
    return machine == "." || sameName(machine, "localhost");
}

// The object path after the security settings: "\\machine\namespace", or a
// namespace of the local machine alone, or nothing (the default namespace,
// root\cimv2), then ":class" for a class of it. Either separator may be used,
// as WMI allows. The object it names: the service of root\cimv2, or the
// registry provider of root\default.
com::Object objectAt(std::string_view path) {
    const std::size_t colon = path.find(':');
    const std::string_view className = colon == std::string_view::npos ? std::string_view() : path.substr(colon + 1);
    path = path.substr(0, colon);
    std::string_view space = path;
    if (path.size() >= 2 && isSeparator(path[0]) && isSeparator(path[1])) {
        const std::string_view rest = path.substr(2);
        const std::size_t end = std::min(rest.find('\\'), rest.find('/'));
        if (!isLocalMachine(rest.substr(0, end))) throw raised(ServerUnavailable);
        space = end == std::string_view::npos ? std::string_view() : rest.substr(end + 1);
    }
    std::string normalised(space);
    std::replace(normalised.begin(), normalised.end(), '/', '\\');
    if (sameName(normalised, "root\\default")) {
        if (!sameName(className, "StdRegProv")) throw raised(className.empty() ? InvalidNamespace : InvalidClass);
        return com::Object(com::Ref<com::IDispatch>(com::AutomationObject::create<StdRegProv>().get()));
    }
    if (!normalised.empty() && !sameName(normalised, "root\\cimv2")) throw raised(InvalidNamespace);
    if (!className.empty()) throw raised(InvalidClass);
    return com::Object(com::Ref<com::IDispatch>(com::AutomationObject::create<WmiService>().get()));
}

}  // namespace

com::Object openService(const std::string& displayName) {
    const std::string_view text = displayName;
    if (text.size() < prefix.size() || !sameName(text.substr(0, prefix.size()), prefix)) throw raised(InvalidSyntax);
    std::string_view rest = text.substr(prefix.size());
    if (rest.starts_with("{")) {
        // The security settings ("{impersonationLevel=impersonate}") are read
        // past, not obeyed: every caller of the stand-in is the user, and the
        // user may change the user's own default printer.
        const std::size_t close = rest.find('}');
        if (close == std::string_view::npos) throw raised(InvalidSyntax);
        rest.remove_prefix(close + 1);
        if (rest.starts_with("!")) {
            rest.remove_prefix(1);
        } else if (!rest.empty()) {
            throw raised(InvalidSyntax);
        }
    }
    return objectAt(rest);
}

void registerProvider() {
    com::registerMonikerProvider("winmgmts", &openService);
}

namespace {

// The service is part of the system: it is there for GetObject as soon as
// the print system is loaded. Nothing may escape a static initializer; if the
// registration fails here, registerProvider() can still be called.
[[maybe_unused]] const bool registeredAtLoad = [] {
    try {
        registerProvider();
        return true;
    } catch (...) {
        return false;
    }
}();

}  // namespace

}  // namespace printers::wmi
