#include "src/addin/Connect.h"

#include "platform/com/Error.h"
#include "platform/runtime/Runtime.h"
#include "src/ui/frmMenue.h"

namespace {

const std::string ButtonCaption = "pdf-Kalmora";
// Not the class's own identifier: the hosts look the action up by this text.
const std::string ButtonAction = "!<WordPDF_ZVK.Connect>";

// One step in resume-next mode: a step that fails is skipped as a whole.
template <typename Step>
void resumeNext(Step&& step) noexcept {
    try {
        step();
    } catch (...) {
    }
}

template <typename T>
com::Ref<T> queryAs(const com::Variant& value, const com::Guid& iid) {
    const com::Ref<com::IDispatch> object = value.toObject();
    void* typed = nullptr;
    if (!object || !com::succeeded(object->QueryInterface(iid, &typed)))
        throw com::Error::fromNumber(com::errors::TypeMismatch);
    return com::Ref<T>::adopt(static_cast<T*>(typed));
}

}  // namespace

com::ServerModule& Module() {
    static com::ServerModule module;
    return module;
}

Connect::Connect() = default;

Connect::~Connect() {
    setMyButton(nullptr);
}

com::HRESULT Connect::QueryInterface(const com::Guid& iid, void** out) noexcept {
    if (out == nullptr) return com::E_POINTER;
    if (iid == com::IID_IUnknown || iid == com::IID_IDispatch || iid == Identity::IID__Connect ||
        iid == office::IID_IDTExtensibility2) {
        *out = static_cast<office::IDTExtensibility2*>(this);
        AddRef();
        return com::S_OK;
    }
    *out = nullptr;
    return com::E_NOINTERFACE;
}

std::uint32_t Connect::AddRef() noexcept {
    return ++references_;
}

std::uint32_t Connect::Release() noexcept {
    const std::uint32_t left = --references_;
    if (left == 0) delete this;
    return left;
}

com::HRESULT Connect::Invoke(std::string_view, com::CallKind, const com::Arguments&, com::Variant*,
                             com::ExcepInfo* error) noexcept {
    if (error) {
        error->number = com::errors::MemberNotSupported;
        try {
            error->description = com::runtimeErrorText(com::errors::MemberNotSupported);
        } catch (...) {
        }
    }
    return com::DISP_E_EXCEPTION;
}

com::HRESULT Connect::OnConnection(com::IDispatch* Application, office::ext_ConnectMode ConnectMode, com::IDispatch*,
                                   com::Array&) noexcept {
    resumeNext([&] { HostApp = com::Object(com::Ref<com::IDispatch>(Application)); });
    // Loaded into a running host: there is no start-up to wait for.
    if (ConnectMode != office::ext_cm_Startup) buttonSetup();
    return com::S_OK;
}

com::HRESULT Connect::OnDisconnection(office::ext_DisconnectMode RemoveMode, com::Array&) noexcept {
    // At host shutdown the button went at OnBeginShutdown already.
    if (RemoveMode != office::ext_dm_HostShutdown) buttonRemoval();
    resumeNext([&] { HostApp = com::Object(); });
    return com::S_OK;
}

com::HRESULT Connect::OnAddInsUpdate(com::Array&) noexcept {
    return com::S_OK;
}

com::HRESULT Connect::OnStartupComplete(com::Array&) noexcept {
    buttonSetup();
    return com::S_OK;
}

com::HRESULT Connect::OnBeginShutdown(com::Array&) noexcept {
    buttonRemoval();
    return com::S_OK;
}

void Connect::buttonSetup() {
    resumeNext([&] { HostBars = queryAs<office::CommandBars>(HostApp.get("CommandBars"), office::IID_CommandBars); });
    if (!HostBars) {
        resumeNext([&] {
            HostBars = queryAs<office::CommandBars>(HostApp.object("ActiveExplorer").get("CommandBars"),
                                                    office::IID_CommandBars);
        });
    }
    resumeNext([&] { MyBar = HostBars->Item("Standard"); });
    if (!MyBar) resumeNext([&] { MyBar = HostBars->Item("Database"); });
    // A button left on the bar by an earlier start is used as it is.
    resumeNext([&] {
        if (!MyBar) throw com::Error::fromNumber(com::errors::ObjectVariableNotSet);
        setMyButton(MyBar->Controls()->Item(ButtonCaption));
    });
    if (MyButton) return;
    resumeNext([&] {
        if (!MyBar) throw com::Error::fromNumber(com::errors::ObjectVariableNotSet);
        setMyButton(MyBar->Controls()->Add(office::msoControlButton));
    });

    const com::Ref<office::CommandBarButton> button = MyButton;
    const auto onButton = [&](auto&& step) {
        resumeNext([&] {
            if (!button) throw com::Error::fromNumber(com::errors::ObjectVariableNotSet);
            step();
        });
    };
    onButton([&] { button->putCaption(ButtonCaption); });
    onButton([&] { button->putStyle(office::msoButtonIconAndCaption); });
    resumeNext([] { runtime::backend().clearClipboard(); });
    // Reaching the icon loads the choice window, hidden.
    resumeNext([] {
        frmMenue& menu = frmMenue::instance();
        menu.load();
        runtime::backend().setClipboardPicture(menu.control("Picture1").picture);
    });
    onButton([&] { button->PasteFace(); });
    resumeNext([] { runtime::backend().clearClipboard(); });
    onButton([&] { button->putOnAction(ButtonAction); });
    onButton([&] { button->putVisible(true); });
}

void Connect::buttonRemoval() {
    // When the user deleted the button, the lookup fails and the reference
    // held before is used, failing quietly in its turn.
    resumeNext([&] {
        if (!MyBar) throw com::Error::fromNumber(com::errors::ObjectVariableNotSet);
        setMyButton(MyBar->Controls()->Item(ButtonCaption));
    });
    resumeNext([&] {
        if (!MyButton) throw com::Error::fromNumber(com::errors::ObjectVariableNotSet);
        MyButton->Delete();
    });
    setMyButton(nullptr);
    MyBar = nullptr;
    HostBars = nullptr;
}

void Connect::setMyButton(com::Ref<office::CommandBarButton> button) {
    if (MyButton) resumeNext([&] { MyButton->adviseClick(nullptr); });
    MyButton = std::move(button);
    if (MyButton) resumeNext([&] { MyButton->adviseClick(this); });
}

com::HRESULT Connect::Click(office::CommandBarButton&, com::Boolean&) noexcept {
    try {
        frmMenue::instance().erzeugeFiles(HostApp);
        return com::S_OK;
    } catch (const com::Error&) {
        // What the export command does not handle goes back to the host as
        // the result of the event.
        return com::DISP_E_EXCEPTION;
    } catch (...) {
        return com::E_FAIL;
    }
}
