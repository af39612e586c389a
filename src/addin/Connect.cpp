#include "src/addin/Connect.h"

#include "platform/com/Error.h"
#include "platform/runtime/Runtime.h"
#include "src/export/ExportCommand.h"
#include "src/ui/frmMenue.h"
#include "src/util/Failures.h"

namespace {

const std::string ButtonCaption = "pdf-Kalmora";
// Not the class's own identifier: the hosts look the action up by this text.
const std::string ButtonAction = "!<WordPDF_ZVK.Connect>";

template <typename T>
com::Ref<T> queryAs(const com::Variant& value, const com::Guid& iid) {
    const com::Ref<com::IDispatch> object = value.toObject();
    void* typed = nullptr;
    if (!object || !com::succeeded(object->QueryInterface(iid, &typed)))
        throw com::Error::fromNumber(com::errors::TypeMismatch);
    return com::Ref<T>::adopt(static_cast<T*>(typed));
}

// The object a reference holds, as the runtime reaches a member: through a
// reference to nothing it raises error 91, which the step's resume-next skips.
template <typename T>
T& reached(const com::Ref<T>& object) {
    if (!object) throw com::Error::fromNumber(com::errors::ObjectVariableNotSet);
    return *object;
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

com::HRESULT Connect::Invoke(std::string_view, com::CallKind, const com::Arguments&, com::Variant*,
                             com::ExcepInfo* error) noexcept {
    if (error) {
        error->number = com::errors::MemberNotSupported;
        ignoreFailure([&] { error->description = com::runtimeErrorText(com::errors::MemberNotSupported); });
    }
    return com::DISP_E_EXCEPTION;
}

com::HRESULT Connect::OnConnection(com::IDispatch* Application, office::ext_ConnectMode ConnectMode, com::IDispatch*,
                                   com::Array&) noexcept {
    ignoreFailure([&] { HostApp = com::Object(com::Ref<com::IDispatch>(Application)); });
    // Loaded into a running host: there is no start-up to wait for.
    if (ConnectMode != office::ext_cm_Startup) buttonSetup();
    return com::S_OK;
}

com::HRESULT Connect::OnDisconnection(office::ext_DisconnectMode RemoveMode, com::Array&) noexcept {
    // At host shutdown the button went at OnBeginShutdown already.
    if (RemoveMode != office::ext_dm_HostShutdown) buttonRemoval();
    ignoreFailure([&] { HostApp = com::Object(); });
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
    ignoreFailure(
        [&] { HostBars = queryAs<office::CommandBars>(HostApp.get("CommandBars"), office::IID_CommandBars); });
    if (!HostBars) {
        ignoreFailure([&] {
            HostBars = queryAs<office::CommandBars>(HostApp.object("ActiveExplorer").get("CommandBars"),
                                                    office::IID_CommandBars);
        });
    }
    // A host that offers bars neither itself nor through a window leaves
    // every step below to be skipped.
    ignoreFailure([&] { MyBar = reached(HostBars).Item("Standard"); });
    if (!MyBar) ignoreFailure([&] { MyBar = reached(HostBars).Item("Database"); });
    // A button left on the bar by an earlier start is used as it is.
    ignoreFailure([&] { setMyButton(reached(MyBar).Controls()->Item(ButtonCaption)); });
    if (MyButton) return;
    ignoreFailure([&] { setMyButton(reached(MyBar).Controls()->Add(office::msoControlButton)); });

    const com::Ref<office::CommandBarButton> button = MyButton;
    const auto onButton = [&](auto&& step) { ignoreFailure([&] { step(reached(button)); }); };
    onButton([&](office::CommandBarButton& on) { on.putCaption(ButtonCaption); });
    onButton([&](office::CommandBarButton& on) { on.putStyle(office::msoButtonIconAndCaption); });
    ignoreFailure([] { runtime::backend().clearClipboard(); });
    // Reaching the icon loads the choice window, hidden.
    ignoreFailure([] {
        frmMenue& menu = frmMenue::instance();
        menu.load();
        runtime::backend().setClipboardPicture(menu.control("Picture1").picture);
    });
    onButton([](office::CommandBarButton& on) { on.PasteFace(); });
    ignoreFailure([] { runtime::backend().clearClipboard(); });
    onButton([&](office::CommandBarButton& on) { on.putOnAction(ButtonAction); });
    onButton([](office::CommandBarButton& on) { on.putVisible(true); });
}

void Connect::buttonRemoval() {
    // When the user deleted the button, the lookup fails and the reference
    // held before is used, failing quietly in its turn.
    ignoreFailure([&] { setMyButton(reached(MyBar).Controls()->Item(ButtonCaption)); });
    ignoreFailure([&] { reached(MyButton).Delete(); });
    setMyButton(nullptr);
    MyBar = nullptr;
    HostBars = nullptr;
}

void Connect::setMyButton(com::Ref<office::CommandBarButton> button) {
    if (MyButton) ignoreFailure([&] { MyButton->adviseClick(nullptr); });
    MyButton = std::move(button);
    if (MyButton) ignoreFailure([&] { MyButton->adviseClick(this); });
}

com::HRESULT Connect::Click(office::CommandBarButton&, com::Boolean&) noexcept {
    // What the export command does not handle goes back to the host as the
    // result of the event.
    return firewall(
        [&] {
            ExportCommand::erzeugeFiles(HostApp);
            return com::S_OK;
        },
        com::DISP_E_EXCEPTION);
}
