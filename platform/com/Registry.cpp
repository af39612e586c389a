#include "platform/com/Registry.h"

#include <charconv>
#include <filesystem>
#include <initializer_list>
#include <stdexcept>
#include <string_view>
#include <utility>

#include "platform/com/Dispatch.h"
#include "platform/com/LowerCase.h"
#include "platform/com/RegistryFile.h"
#include "platform/world/World.h"

namespace com::registry {

namespace {

// registry/<kind>/<key> below the world folder.
std::filesystem::path entryPath(std::string_view kind, const std::string& key) {
    return world::subfolder(std::filesystem::path("registry") / kind) / key;
}

// A ProgID names a file: anything that would leave the ProgID folder or
// clash with the temporary files (".name.XXXXXX") cannot be one.
bool usableProgId(std::string_view progId) {
    if (progId.empty() || progId.front() == '.') return false;
    for (const char c : progId) {
        if (c == '/' || c == '\\' || static_cast<unsigned char>(c) < 0x20) return false;
    }
    return true;
}

// One entry per line: a value with a line break would split into two.
void checkValue(std::string_view value) {
    if (value.find_first_of(std::string_view("\r\n\0", 3)) != std::string_view::npos) {
        throw std::invalid_argument("registry value holds a line break: " + std::string(value));
    }
}

using Field = std::pair<std::string_view, std::string_view>;

std::string format(std::initializer_list<Field> fields) {
    std::string text;
    for (const auto& [key, value] : fields) {
        checkValue(value);
        text.append(key).append("=").append(value).append("\n");
    }
    return text;
}

// The value of `key` (first occurrence, any case); empty when missing. The
// files are meant to be readable and editable by hand, so CR LF is fine too.
std::string fieldOf(std::string_view text, std::string_view key) {
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        const std::size_t equals = line.find('=');
        if (equals != std::string_view::npos && sameName(line.substr(0, equals), key)) {
            return std::string(line.substr(equals + 1));
        }
    }
    return {};
}

void removeEntry(std::string_view kind, const std::string& key) {
    file::remove(entryPath(kind, key));
}

// The CLSID that the ProgID file names, if there is a file.
std::optional<Guid> progIdTarget(const std::string& progId) {
    const auto text = file::read(entryPath("ProgID", lowerCase(progId)));
    if (!text) return std::nullopt;
    return Guid::parse(fieldOf(*text, "CLSID"));
}

// Drops the ProgID only while it still names `clsid`: since then another
// class may have taken the name over.
void dropProgIdOf(const std::string& progId, const Guid& clsid) {
    if (progId.empty()) return;
    if (progIdTarget(progId) == clsid) removeEntry("ProgID", lowerCase(progId));
}

}  // namespace

void registerClass(const ClassEntry& entry) {
    if (!entry.progId.empty() && !usableProgId(entry.progId)) {
        throw std::invalid_argument("unusable ProgID: " + entry.progId);
    }
    const std::string text = format(
        {{"ProgID", entry.progId}, {"InprocServer32", entry.inprocServer}, {"ThreadingModel", entry.threadingModel}});
    const std::string key = entry.clsid.toString();
    if (const auto previous = findClass(entry.clsid);
        previous && lowerCase(previous->progId) != lowerCase(entry.progId)) {
        dropProgIdOf(previous->progId, entry.clsid);
    }
    // The class before its ProgID: whoever follows the ProgID finds a class.
    file::replace(entryPath("CLSID", key), text);
    if (!entry.progId.empty()) {
        file::replace(entryPath("ProgID", lowerCase(entry.progId)), format({{"CLSID", key}}));
    }
}

void unregisterClass(const Guid& clsid) {
    if (const auto entry = findClass(clsid)) dropProgIdOf(entry->progId, clsid);
    removeEntry("CLSID", clsid.toString());
}

void registerTypeLib(const TypeLibEntry& entry) {
    const std::string locale = std::to_string(entry.locale);
    file::replace(entryPath("TypeLib", entry.libid.toString()),
                  format({{"Name", entry.name}, {"Version", entry.version}, {"Locale", locale}, {"Path", entry.path}}));
}

void unregisterTypeLib(const Guid& libid) {
    removeEntry("TypeLib", libid.toString());
}

void registerInterface(const InterfaceEntry& entry) {
    const std::string typeLib = entry.typeLib.toString();
    file::replace(entryPath("Interface", entry.iid.toString()), format({{"Name", entry.name}, {"TypeLib", typeLib}}));
}

void unregisterInterface(const Guid& iid) {
    removeEntry("Interface", iid.toString());
}

std::optional<ClassEntry> findClass(const Guid& clsid) {
    const auto text = file::read(entryPath("CLSID", clsid.toString()));
    if (!text) return std::nullopt;
    return ClassEntry{clsid, fieldOf(*text, "ProgID"), fieldOf(*text, "InprocServer32"),
                      fieldOf(*text, "ThreadingModel")};
}

std::optional<ClassEntry> findProgId(const std::string& progId) {
    // No such name can have been registered.
    if (!usableProgId(progId)) return std::nullopt;
    const auto clsid = progIdTarget(progId);
    if (!clsid) return std::nullopt;
    return findClass(*clsid);
}

std::optional<TypeLibEntry> findTypeLib(const Guid& libid) {
    const auto text = file::read(entryPath("TypeLib", libid.toString()));
    if (!text) return std::nullopt;
    TypeLibEntry entry{libid, fieldOf(*text, "Name"), fieldOf(*text, "Version"), 0, fieldOf(*text, "Path")};
    const std::string locale = fieldOf(*text, "Locale");
    std::from_chars(locale.data(), locale.data() + locale.size(), entry.locale);
    return entry;
}

std::optional<InterfaceEntry> findInterface(const Guid& iid) {
    const auto text = file::read(entryPath("Interface", iid.toString()));
    if (!text) return std::nullopt;
    return InterfaceEntry{iid, fieldOf(*text, "Name"), Guid::parse(fieldOf(*text, "TypeLib")).value_or(Guid{})};
}

namespace {

// The keys (file names) of one kind of entry, temporary files left out.
std::vector<Guid> keysOf(std::string_view kind) {
    std::vector<Guid> keys;
    for (const auto& entry :
         std::filesystem::directory_iterator(world::subfolder(std::filesystem::path("registry") / kind)))
        if (const auto key = Guid::parse(entry.path().filename().string())) keys.push_back(*key);
    return keys;
}

}  // namespace

std::vector<ClassEntry> classesServedBy(const std::string& inprocServer) {
    std::vector<ClassEntry> classes;
    for (const Guid& clsid : keysOf("CLSID"))
        if (const auto entry = findClass(clsid); entry && entry->inprocServer == inprocServer)
            classes.push_back(*entry);
    return classes;
}

std::vector<TypeLibEntry> typeLibsIn(const std::string& path) {
    std::vector<TypeLibEntry> libraries;
    for (const Guid& libid : keysOf("TypeLib"))
        if (const auto entry = findTypeLib(libid); entry && entry->path == path) libraries.push_back(*entry);
    return libraries;
}

}  // namespace com::registry
