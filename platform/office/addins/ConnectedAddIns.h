#pragma once
// The add-ins of a host's list, loaded by their ProgIDs and connected as Word
// connects them: at start-up OnConnection, OnAddInsUpdate, OnStartupComplete,
// each call for every add-in in the list's order before the next call; at
// the end OnBeginShutdown, then OnDisconnection. Every host (host-app, Writer
// and Calc in the office) drives its add-ins through one of these.
#include <functional>
#include <string>
#include <vector>

#include "platform/com/Dispatch.h"
#include "platform/office/addins/LoadedAddIn.h"

namespace office {

class ConnectedAddIns {
public:
    // How the host tells its user of an add-in that does not load.
    using Tell = std::function<void(const std::string& text)>;

    // `application` is the host's Application object, which the add-ins
    // receive; it outlives them.
    ConnectedAddIns(com::IDispatch& application, Tell tell);
    ConnectedAddIns(const ConnectedAddIns&) = delete;
    ConnectedAddIns& operator=(const ConnectedAddIns&) = delete;

    // Loads the add-ins of `progIds` in their order and connects them at
    // start-up. One that cannot be created (com::Error) is left out, and the
    // user is told "Das Add-In <ProgID> lässt sich nicht laden: <description>".
    void start(const std::vector<std::string>& progIds);
    // The user closes the add-in of `progId`: it is disconnected
    // (ext_dm_UserClosed) and let go, and its library is unloaded when it has
    // no other object left. False when no such add-in is connected.
    bool disconnect(const std::string& progId);
    // The host ends: every add-in is told (OnBeginShutdown), then
    // disconnected (ext_dm_HostShutdown). They are held until release(), so
    // that the host can store what they left first.
    void shutDown();
    void release();

private:
    com::IDispatch& application_;
    Tell tell_;
    std::vector<LoadedAddIn> addIns_;
};

}  // namespace office
