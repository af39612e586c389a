#include "src/ui/frmMenue.h"

#include <memory>

#include "platform/runtime/Interaction.h"
#include "platform/runtime/Runtime.h"
#include "src/addin/Project.h"
#include "src/ui/pictures/Pictures.h"

namespace {

std::unique_ptr<frmMenue>& shared() {
    static std::unique_ptr<frmMenue> instance;
    return instance;
}

constexpr int Enter = 13;
constexpr int Escape = 27;

}  // namespace

frmMenue& frmMenue::instance() {
    if (!shared()) {
        Project::start();
        shared() = std::make_unique<frmMenue>();
    }
    return *shared();
}

void frmMenue::releaseInstance() {
    shared().reset();
}

frmMenue::frmMenue() : runtime::Form("Auswahl mit Doppelklick bestätigen", 5610, 4110) {}

std::vector<runtime::Control> frmMenue::design() const {
    using runtime::ControlKind;
    std::vector<runtime::Control> controls(5);
    runtime::Control& list = controls[0];
    list.name = "List1";
    list.kind = ControlKind::ListBox;
    list.left = 30, list.top = 1830, list.width = 5550, list.height = 2220, list.tabIndex = 0;
    list.font = {"MS Sans Serif", 13.5};
    list.toolTip = "Doppelkick zur Auswahl";

    runtime::Control& address = controls[1];
    address.name = "Label1";
    address.kind = ControlKind::Label;
    address.left = 135, address.top = 105, address.width = 5430, address.height = 1680, address.tabIndex = 1;

    runtime::Control& icon = controls[2];
    icon.name = "Picture1";
    icon.kind = ControlKind::PictureBox;
    icon.left = 3240, icon.top = 60, icon.width = 480, icon.height = 480, icon.tabIndex = 2;
    icon.picture = Pictures::icon();

    runtime::Control& version = controls[3];
    version.name = "Label2";
    version.kind = ControlKind::Label;
    version.left = 3750, version.top = 1500, version.width = 1875, version.height = 270, version.tabIndex = 3;
    version.alignment = runtime::Alignment::Center;

    runtime::Control& image = controls[4];
    image.name = "Image1";
    image.kind = ControlKind::Image;
    image.left = 3780, image.top = 15, image.width = 1815, image.height = 1455;
    image.picture = Pictures::image();  // stretched to the control
    return controls;
}

void frmMenue::onLoad() {
    runtime::Control& list = control("List1");
    list.items = {"Kopfbogen 1.Seite + Kopfbogen 2. Seite", "alles auf Kopfbogen 1. Seite",
                  "alles auf Kopfbogen 2. Seite"};
    list.listIndex = 0;
    AuswahlIndex = Layout::None;
    control("Label1").caption =
        "Kalmora Büroservice GmbH\n\nLindenstraße 12\n72070 Tübingen\n\n"
        "Tel. 07071 123456 / Fax 07071 123457\nE-Mail: info@kalmora-buero.example";
    const runtime::App& app = runtime::app();
    control("Label2").caption = "Programm Version: " + std::to_string(app.major) + "." + std::to_string(app.minor) +
                                "." + std::to_string(app.revision);
}

void frmMenue::choose() {
    AuswahlIndex = static_cast<Layout>(control("List1").listIndex);
    unload();
}

void frmMenue::onDoubleClick(std::string_view controlName) {
    if (controlName == "List1") choose();
}

void frmMenue::onKeyPress(int& keyAscii) {
    if (keyAscii == Enter) choose();
    // Not an else: Escape is looked at on its own, whatever Enter did.
    if (keyAscii == Escape) unload();
}
