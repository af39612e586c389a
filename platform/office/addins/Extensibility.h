#pragma once
// The add-in interface that the hosts drive: IDTExtensibility2, as the add-in
// designer's type library declares it. The five members are in slot order.
#include <cstdint>

#include "platform/com/Dispatch.h"

namespace office {

// {B65AD801-ABAF-11D0-BB8B-00A0C90F2744}
inline constexpr com::Guid IID_IDTExtensibility2{
    0xB65AD801, 0xABAF, 0x11D0, {0xBB, 0x8B, 0x00, 0xA0, 0xC9, 0x0F, 0x27, 0x44}};

// How the add-in came to be connected.
enum ext_ConnectMode : std::int32_t {
    ext_cm_AfterStartup = 0,  // loaded into a running host
    ext_cm_Startup = 1,       // loaded while the host starts
    ext_cm_External = 2,
    ext_cm_CommandLine = 3,
};

// Why the add-in is disconnected.
enum ext_DisconnectMode : std::int32_t {
    ext_dm_HostShutdown = 0,
    ext_dm_UserClosed = 1,
};

class IDTExtensibility2 : public com::IDispatch {
public:
    virtual com::HRESULT OnConnection(com::IDispatch* Application, ext_ConnectMode ConnectMode,
                                      com::IDispatch* AddInInst, com::Array& custom) noexcept = 0;
    virtual com::HRESULT OnDisconnection(ext_DisconnectMode RemoveMode, com::Array& custom) noexcept = 0;
    virtual com::HRESULT OnAddInsUpdate(com::Array& custom) noexcept = 0;
    virtual com::HRESULT OnStartupComplete(com::Array& custom) noexcept = 0;
    virtual com::HRESULT OnBeginShutdown(com::Array& custom) noexcept = 0;

protected:
    ~IDTExtensibility2() = default;
};

}  // namespace office
