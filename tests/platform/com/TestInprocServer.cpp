// A minimal in-process server, loaded by the tests as a real client would.
#include <stdexcept>

#include "TestInprocServer.h"
#include "platform/com/AutomationObject.h"
#include "platform/com/ServerModule.h"

namespace {

com::ServerModule module;

class Ping : public com::AutomationObject {
public:
    Ping() {
        method("Ping", [](const com::Arguments&) { return com::Variant("Pong"); });
    }

private:
    com::ServerModule::LiveObject live_{module};
};

const com::ServerClass classes[] = {
    com::ServerClass::of<Ping>(com::testing::CLSID_Ping, com::testing::ProgId_Ping),
    {com::testing::CLSID_Broken, com::testing::ProgId_Broken,
     []() -> com::Ref<com::IDispatch> { throw std::runtime_error("printer spool missing"); }},
};

}  // namespace

extern "C" com::HRESULT DllGetClassObject(const com::Guid* clsid, const com::Guid* iid, void** out) {
    return module.getClassObject(classes, clsid, iid, out);
}
extern "C" com::HRESULT DllCanUnloadNow() {
    return module.canUnloadNow();
}
extern "C" com::HRESULT DllRegisterServer() {
    return module.registerServer(classes);
}
extern "C" com::HRESULT DllUnregisterServer() {
    return module.unregisterServer(classes);
}
