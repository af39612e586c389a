#include "platform/office/addins/LoadedAddIn.h"

#include "platform/com/Activation.h"

namespace office {

LoadedAddIn loadAddIn(const std::string& progId) {
    const com::Object object = com::CreateObject(progId);
    void* typed = nullptr;
    if (!com::succeeded(object.dispatch()->QueryInterface(IID_IDTExtensibility2, &typed)))
        throw com::Error::fromNumber(com::errors::CannotCreateObject);
    return {progId, com::Ref<IDTExtensibility2>::adopt(static_cast<IDTExtensibility2*>(typed))};
}

}  // namespace office
