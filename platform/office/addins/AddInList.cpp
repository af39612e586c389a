#include "platform/office/addins/AddInList.h"

#include <algorithm>
#include <optional>
#include <sstream>
#include <stdexcept>

#include "platform/com/LowerCase.h"
#include "platform/win32/AtomicFile.h"
#include "platform/world/World.h"

namespace office {

namespace {

std::filesystem::path listFile(const std::string& host) {
    return hostFolder(host) / "AddIns.txt";
}

void checkProgId(const std::string& progId) {
    if (progId.empty() || progId.find_first_of("\r\n") != std::string::npos)
        throw std::invalid_argument("Ungültige ProgID: \"" + progId + "\"");
}

void writeList(const std::string& host, const std::vector<std::string>& progIds) {
    std::string text;
    for (const std::string& progId : progIds) text += progId + "\n";
    win32::writeFileAtomically(listFile(host), text);
}

bool sameProgId(const std::string& a, const std::string& b) {
    return com::lowerCase(a) == com::lowerCase(b);
}

}  // namespace

std::filesystem::path hostFolder(const std::string& host) {
    std::string folder = host;
    std::replace(folder.begin(), folder.end(), '/', '_');
    std::replace(folder.begin(), folder.end(), '\\', '_');
    if (folder.empty() || folder == "." || folder == "..") folder = "_" + folder;
    return world::subfolder(std::filesystem::path("office") / folder);
}

std::vector<std::string> registeredAddIns(const std::string& host) {
    const std::optional<std::string> text = win32::readWholeFile(listFile(host));
    std::vector<std::string> progIds;
    if (!text) return progIds;
    std::istringstream lines(*text);
    for (std::string line; std::getline(lines, line);) {
        if (!line.empty()) progIds.push_back(line);
    }
    return progIds;
}

void registerAddIn(const std::string& host, const std::string& progId) {
    checkProgId(progId);
    std::vector<std::string> progIds = registeredAddIns(host);
    if (std::any_of(progIds.begin(), progIds.end(), [&](const auto& listed) { return sameProgId(listed, progId); }))
        return;
    progIds.push_back(progId);
    writeList(host, progIds);
}

void unregisterAddIn(const std::string& host, const std::string& progId) {
    checkProgId(progId);
    std::vector<std::string> progIds = registeredAddIns(host);
    if (std::erase_if(progIds, [&](const auto& listed) { return sameProgId(listed, progId); }) > 0)
        writeList(host, progIds);
}

}  // namespace office
