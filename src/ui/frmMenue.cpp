#include "src/ui/frmMenue.h"

#include <memory>

#include "platform/runtime/Interaction.h"
#include "platform/runtime/KeyRouting.h"
#include "platform/runtime/Runtime.h"
#include "src/ui/pictures/Pictures.h"
#include "src/util/Project.h"

namespace {

std::unique_ptr<frmMenue>& shared() {
    static std::unique_ptr<frmMenue> instance;
    return instance;
}

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
    return {
        {.name = "List1",
         .kind = ControlKind::ListBox,
         .left = 30,
         .top = 1830,
         .width = 5550,
         .height = 2220,
         .tabIndex = 0,
         .font = {"MS Sans Serif", 13.5},
         .toolTip = "Doppelkick zur Auswahl"},
        {.name = "Label1",
         .kind = ControlKind::Label,
         .left = 135,
         .top = 105,
         .width = 5430,
         .height = 1680,
         .tabIndex = 1},
        {.name = "Picture1",
         .kind = ControlKind::PictureBox,
         .left = 3240,
         .top = 60,
         .width = 480,
         .height = 480,
         .tabIndex = 2,
         .picture = Pictures::icon()},
        {.name = "Label2",
         .kind = ControlKind::Label,
         .left = 3750,
         .top = 1500,
         .width = 1875,
         .height = 270,
         .tabIndex = 3,
         .alignment = runtime::Alignment::Center},
        // The picture is stretched to the control.
        {.name = "Image1",
         .kind = ControlKind::Image,
         .left = 3780,
         .top = 15,
         .width = 1815,
         .height = 1455,
         .picture = Pictures::image()},
    };
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
    if (keyAscii == runtime::keyAscii::Enter) choose();
    // Not an else: Escape is looked at on its own, whatever Enter did.
    if (keyAscii == runtime::keyAscii::Escape) unload();
}
