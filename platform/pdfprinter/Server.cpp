// The in-process server of "PDFCreator.clsPDFCreator": the four exports that
// the COM stand-in looks for. DllRegisterServer enters the class in the
// registry of the current world with the path of this library.
#include "platform/com/ClassFactory.h"
#include "platform/com/ServerModule.h"
#include "platform/pdfprinter/Names.h"
#include "platform/pdfprinter/PdfCreatorObject.h"

namespace {

com::ServerModule module;

// {6A3F2C18-94D1-4B7E-A5C0-2E8B17D94F63}
constexpr com::Guid CLSID_clsPDFCreator{0x6A3F2C18, 0x94D1, 0x4B7E, {0xA5, 0xC0, 0x2E, 0x8B, 0x17, 0xD9, 0x4F, 0x63}};

// An object handed out by this library keeps it loaded while it lives.
class ServedPdfCreator final : public pdfprinter::PdfCreatorObject {
private:
    com::ServerModule::LiveObject live_{module};
};

const com::ServerClass classes[] = {
    com::ServerClass::of<ServedPdfCreator>(CLSID_clsPDFCreator, std::string(pdfprinter::progId)),
};

}  // namespace

extern "C" {

com::HRESULT DllGetClassObject(const com::Guid* clsid, const com::Guid* iid, void** out) {
    return module.getClassObject(classes, clsid, iid, out);
}

com::HRESULT DllCanUnloadNow() {
    return module.canUnloadNow();
}

com::HRESULT DllRegisterServer() {
    return module.registerServer(classes);
}

com::HRESULT DllUnregisterServer() {
    return module.unregisterServer(classes);
}
}
