#pragma once
// The class registry, kept in the world (registry/ below the world folder):
// classes by CLSID with their in-process server and threading model, ProgIDs
// mapped to CLSIDs, type libraries and interfaces. Every write replaces one
// small file atomically, so readers in other processes never see half an entry.
#include <optional>
#include <string>
#include <vector>

#include "platform/com/Guid.h"

namespace com::registry {

struct ClassEntry {
    Guid clsid;
    std::string progId;
    std::string inprocServer;    // full path of the library
    std::string threadingModel;  // "Apartment"
};

struct TypeLibEntry {
    Guid libid;
    std::string name;
    std::string version;  // "30.0"
    int locale = 0;
    std::string path;
};

struct InterfaceEntry {
    Guid iid;
    std::string name;
    Guid typeLib;  // marshalled through this type library
};

// Registering replaces an entry of the same CLSID, ProgID, LIBID or IID.
// Writes throw std::invalid_argument for a ProgID that cannot name a file
// (empty is fine: no ProgID) or a value with a line break, and
// std::system_error when the world cannot be written. Unregistering what is
// not registered does nothing.
void registerClass(const ClassEntry& entry);
void unregisterClass(const Guid& clsid);  // also drops its ProgID
void registerTypeLib(const TypeLibEntry& entry);
void unregisterTypeLib(const Guid& libid);
void registerInterface(const InterfaceEntry& entry);
void unregisterInterface(const Guid& iid);

std::optional<ClassEntry> findClass(const Guid& clsid);
std::optional<ClassEntry> findProgId(const std::string& progId);  // without regard to case
std::optional<TypeLibEntry> findTypeLib(const Guid& libid);
std::optional<InterfaceEntry> findInterface(const Guid& iid);

// Every class whose in-process server is `inprocServer`, and every type
// library stored in `path`, in no particular order.
std::vector<ClassEntry> classesServedBy(const std::string& inprocServer);
std::vector<TypeLibEntry> typeLibsIn(const std::string& path);

}  // namespace com::registry
