#pragma once
// Creating objects by name, as the runtime's CreateObject and GetObject do.
#include <functional>
#include <string>

#include "platform/com/Object.h"

namespace com {

// An object of the class registered under `progId`. An in-process server is
// loaded (dlopen), asked for the class object (DllGetClassObject) and the
// object is created with IDispatch. Raises 429 ("Objekterstellung durch
// ActiveX-Komponente nicht möglich") when the class is not registered, its
// library cannot be loaded, or creation fails.
Object CreateObject(const std::string& progId);

// The object that a moniker names, e.g. "winmgmts:{...}!\\.\root\cimv2". The
// text before the first ":" chooses a moniker provider registered with
// registerMonikerProvider. Raises 432 ("Datei- oder Klassenname während
// Automatisierungsvorgang nicht gefunden") for an unknown prefix; a provider's
// own failure keeps its error.
Object GetObject(const std::string& displayName);

using MonikerProvider = std::function<Object(const std::string& displayName)>;
// Providers are part of the system (the print system registers "winmgmts").
void registerMonikerProvider(const std::string& prefix, MonikerProvider provider);

// A class served from within this process under `progId`, ahead of the
// registry: how a test puts a recording stand-in in place of a real server.
using ObjectFactory = std::function<Object()>;
void registerLocalClass(const std::string& progId, ObjectFactory factory);
void unregisterLocalClass(const std::string& progId);

// Unloads the in-process servers whose DllCanUnloadNow answers S_OK.
void freeUnusedLibraries();

}  // namespace com
