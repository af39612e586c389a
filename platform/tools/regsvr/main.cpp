// Registers an in-process server library, as the system's registration
// program does:
//   regsvr LIB          calls the library's DllRegisterServer
//   regsvr /u LIB       calls its DllUnregisterServer
//   regsvr --info LIB   prints its version record and what the registry holds for it
// Exit status 0 when the library answers S_OK; 1 when it fails; 2 for a bad
// command line.
#include <dlfcn.h>

#include <cstdio>
#include <filesystem>
#include <iostream>
#include <string>

#include "platform/com/ClassFactory.h"
#include "platform/com/Registry.h"

namespace {

enum class Action { Register, Unregister, Info };

int usage() {
    std::cerr << "Aufruf: regsvr [/u | --info] BIBLIOTHEK\n";
    return 2;
}

void* open(const std::string& library) {
    void* handle = ::dlopen(library.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (handle == nullptr)
        std::cerr << "Die Bibliothek " << library << " lässt sich nicht laden: " << ::dlerror() << "\n";
    return handle;
}

int callEntry(void* handle, const std::string& library, const char* entry) {
    const auto function = reinterpret_cast<com::DllRegisterServerFn>(::dlsym(handle, entry));
    if (function == nullptr) {
        std::cerr << library << " hat keinen Einsprungpunkt " << entry << ".\n";
        return 1;
    }
    const com::HRESULT result = function();
    if (!com::succeeded(result)) {
        char code[16];
        std::snprintf(code, sizeof code, "0x%08X", static_cast<unsigned>(result));
        std::cerr << entry << " in " << library << " ist fehlgeschlagen (" << code << ").\n";
        return 1;
    }
    std::cout << entry << " in " << library << " erfolgreich.\n";
    return 0;
}

int info(void* handle, const std::string& library) {
    std::cout << "Bibliothek: " << library << "\n";
    if (const auto version = reinterpret_cast<com::DllVersionInfoFn>(::dlsym(handle, "DllVersionInfo")))
        std::cout << version();
    for (const auto& entry : com::registry::classesServedBy(library))
        std::cout << "Klasse: " << entry.clsid.toString() << " ProgID=" << entry.progId
                  << " ThreadingModel=" << entry.threadingModel << "\n";
    for (const auto& entry : com::registry::typeLibsIn(library))
        std::cout << "Typbibliothek: " << entry.libid.toString() << " " << entry.name << " " << entry.version
                  << " Gebietsschema=" << entry.locale << "\n";
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    Action action = Action::Register;
    std::string library;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "/u" || arg == "/U" || arg == "-u")
            action = Action::Unregister;
        else if (arg == "--info")
            action = Action::Info;
        else if (library.empty())
            library = arg;
        else
            return usage();
    }
    if (library.empty()) return usage();
    try {
        library = std::filesystem::absolute(library).string();
        void* handle = open(library);
        if (handle == nullptr) return 1;
        const int result = action == Action::Info       ? info(handle, library)
                           : action == Action::Register ? callEntry(handle, library, "DllRegisterServer")
                                                        : callEntry(handle, library, "DllUnregisterServer");
        ::dlclose(handle);
        return result;
    } catch (const std::exception& error) {
        std::cerr << "regsvr: " << error.what() << "\n";
        return 1;
    }
}
