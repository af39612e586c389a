// The four exports of the add-in library, and its version record. No
// exception leaves them: each answers with a status.
#include "platform/com/ClassFactory.h"
#include "platform/com/Registry.h"
#include "src/addin/Connect.h"
#include "src/util/Failures.h"
#include "src/util/Project.h"

#define KALMORA_EXPORT extern "C" __attribute__((visibility("default")))

namespace {

const com::ServerClass classes[] = {
    {Identity::CLSID_Connect, Identity::ProgID,
     [] { return com::Ref<com::IDispatch>::adopt(static_cast<office::IDTExtensibility2*>(new Connect())); }}};

}  // namespace

KALMORA_EXPORT com::HRESULT DllGetClassObject(const com::Guid* clsid, const com::Guid* iid, void** out) {
    ignoreFailure([] { Project::start(); });
    return Module().getClassObject(classes, clsid, iid, out);
}

KALMORA_EXPORT com::HRESULT DllCanUnloadNow() {
    return Module().canUnloadNow();
}

KALMORA_EXPORT com::HRESULT DllRegisterServer() {
    const com::HRESULT registered = Module().registerServer(classes);
    if (!com::succeeded(registered)) return registered;
    return firewall([] {
        com::registry::registerTypeLib(
            {Identity::LIBID, Identity::TypeLibName, Identity::TypeLibVersion, 0, Module().libraryPath()});
        com::registry::registerInterface({Identity::IID__Connect, "_Connect", Identity::LIBID});
        return com::S_OK;
    });
}

KALMORA_EXPORT com::HRESULT DllUnregisterServer() {
    return firewall([] {
        com::registry::unregisterInterface(Identity::IID__Connect);
        com::registry::unregisterTypeLib(Identity::LIBID);
        return Module().unregisterServer(classes);
    });
}

KALMORA_EXPORT const char* DllVersionInfo() {
    // Language German, code page Unicode; a self-registering library. The
    // version is the project's, in the record's own writing.
    return "Language=0407\n"
           "CodePage=1200\n"
           "FileDescription=Office Add In\n"
           "ProductName=PDF_Kalmora\n"
           "FileVersion=" KALMORA_VERSION_RECORD
           "\n"
           "ProductVersion=" KALMORA_VERSION_RECORD
           "\n"
           "FileVersionNumber=" KALMORA_VERSION_NUMBER
           "\n"
           "ProductVersionNumber=" KALMORA_VERSION_NUMBER
           "\n"
           "OLESelfRegister=\n"
           "FileType=dynamic-link library\n";
}
