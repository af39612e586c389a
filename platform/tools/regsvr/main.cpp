// Registers an in-process server library, as the system's registration
// program does:
//   regsvr LIB          calls the library's DllRegisterServer
//   regsvr /u LIB       calls its DllUnregisterServer
//   regsvr --info LIB   prints its version record and what the registry holds for it
// Exit status 0 when the library answers S_OK; 1 when it fails; 2 for a bad
// command line.
#include <filesystem>
#include <iostream>
#include <string>

#include "platform/com/ClassFactory.h"
#include "platform/com/Registry.h"
#include "platform/com/ServerLibrary.h"

namespace {

enum class Action { Register, Unregister, Info };

int usage() {
    std::cerr << "Aufruf: regsvr [/u | --info] BIBLIOTHEK\n";
    return 2;
}

int info(const com::ServerLibrary& server) {
    const std::string& library = server.path();
    std::cout << "Bibliothek: " << library << "\n";
    // POSIX guarantees that dlsym's object pointer converts to a function pointer.
    if (const auto version = reinterpret_cast<com::DllVersionInfoFn>(server.symbol("DllVersionInfo")))
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
        const com::ServerLibrary server(std::filesystem::absolute(library).string());
        if (action == Action::Info) return info(server);
        server.call(action == Action::Register ? com::Registration::Register : com::Registration::Unregister);
        std::cout << (action == Action::Register ? "DllRegisterServer" : "DllUnregisterServer") << " in "
                  << server.path() << " erfolgreich.\n";
        return 0;
    } catch (const com::ServerLibraryError& error) {
        std::cerr << error.what() << "\n";
        return 1;
    } catch (const std::exception& error) {
        std::cerr << "regsvr: " << error.what() << "\n";
        return 1;
    }
}
