#include "platform/office/addins/ConnectedAddIns.h"

#include <utility>

#include "platform/com/Activation.h"
#include "platform/com/Error.h"

namespace office {

ConnectedAddIns::ConnectedAddIns(com::IDispatch& application, Tell tell)
    : application_(application), tell_(std::move(tell)) {}

void ConnectedAddIns::start(const std::vector<std::string>& progIds) {
    for (const std::string& progId : progIds) {
        try {
            addIns_.push_back(loadAddIn(progId));
        } catch (const com::Error& error) {
            tell_("Das Add-In " + progId + " lässt sich nicht laden: " + error.description());
        }
    }
    com::Array custom;
    for (LoadedAddIn& loaded : addIns_) loaded.addIn->OnConnection(&application_, ext_cm_Startup, nullptr, custom);
    for (LoadedAddIn& loaded : addIns_) loaded.addIn->OnAddInsUpdate(custom);
    for (LoadedAddIn& loaded : addIns_) loaded.addIn->OnStartupComplete(custom);
}

bool ConnectedAddIns::disconnect(const std::string& progId) {
    com::Array custom;
    for (auto it = addIns_.begin(); it != addIns_.end(); ++it) {
        if (it->progId != progId) continue;
        it->addIn->OnDisconnection(ext_dm_UserClosed, custom);
        addIns_.erase(it);
        com::freeUnusedLibraries();
        return true;
    }
    return false;
}

void ConnectedAddIns::shutDown() {
    com::Array custom;
    for (LoadedAddIn& loaded : addIns_) loaded.addIn->OnBeginShutdown(custom);
    for (LoadedAddIn& loaded : addIns_) loaded.addIn->OnDisconnection(ext_dm_HostShutdown, custom);
}

void ConnectedAddIns::release() {
    addIns_.clear();
}

}  // namespace office
