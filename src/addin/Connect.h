#pragma once
// The add-in class that Word and Excel create. It keeps one button,
// "pdf-Kalmora", on the host's "Standard" bar while it is connected and runs
// the export command when the button is clicked. It shows nothing of its own,
// and every step of connecting, setting up and removing the button may fail
// silently.
#include "platform/com/Implements.h"
#include "platform/com/Object.h"
#include "platform/com/ServerModule.h"
#include "platform/office/addins/Extensibility.h"
#include "platform/office/bars/CommandBarInterfaces.h"
#include "src/addin/Module.h"

class Connect final : public com::Implements<office::IDTExtensibility2, com::IID_IDispatch, Identity::IID__Connect,
                                             office::IID_IDTExtensibility2>,
                      private office::ButtonClickSink {
public:
    Connect();
    Connect(const Connect&) = delete;
    Connect& operator=(const Connect&) = delete;

    // The class's own interface has no members: every call by name gives 438.
    com::HRESULT Invoke(std::string_view name, com::CallKind kind, const com::Arguments& args, com::Variant* result,
                        com::ExcepInfo* error) noexcept override;

    com::HRESULT OnConnection(com::IDispatch* Application, office::ext_ConnectMode ConnectMode,
                              com::IDispatch* AddInInst, com::Array& custom) noexcept override;
    com::HRESULT OnDisconnection(office::ext_DisconnectMode RemoveMode, com::Array& custom) noexcept override;
    com::HRESULT OnAddInsUpdate(com::Array& custom) noexcept override;
    com::HRESULT OnStartupComplete(com::Array& custom) noexcept override;
    com::HRESULT OnBeginShutdown(com::Array& custom) noexcept override;

private:
    ~Connect() override;

    void buttonSetup();
    void buttonRemoval();
    // Assigning the button connects its Click event here and drops the
    // connection to the button held before.
    void setMyButton(com::Ref<office::CommandBarButton> button);
    com::HRESULT Click(office::CommandBarButton& Ctrl, com::Boolean& CancelDefault) noexcept override;

    com::Object HostApp;
    com::Ref<office::CommandBars> HostBars;
    com::Ref<office::CommandBar> MyBar;
    com::Ref<office::CommandBarButton> MyButton;

    com::ServerModule::LiveObject live_{Module()};
};
