#include "platform/runtime/qt/render/SampleChoiceWindow.h"

namespace runtime::render {

SampleChoiceWindow::SampleChoiceWindow(Picture icon, Picture image)
    : Form("Auswahl mit Doppelklick bestätigen", 5610, 4110),
      icon_(std::move(icon)),
      image_(std::move(image)) {}

std::vector<Control> SampleChoiceWindow::design() const {
    std::vector<Control> controls(5);
    Control& list = controls[0];
    list.name = "List1";
    list.kind = ControlKind::ListBox;
    list.left = 30, list.top = 1830, list.width = 5550, list.height = 2220, list.tabIndex = 0;
    list.font = {"MS Sans Serif", 13.5};
    list.toolTip = "Doppelkick zur Auswahl";

    Control& address = controls[1];
    address.name = "Label1";
    address.kind = ControlKind::Label;
    address.left = 135, address.top = 105, address.width = 5430, address.height = 1680;
    address.tabIndex = 1;

    Control& icon = controls[2];
    icon.name = "Picture1";
    icon.kind = ControlKind::PictureBox;
    icon.left = 3240, icon.top = 60, icon.width = 480, icon.height = 480, icon.tabIndex = 2;
    icon.picture = icon_;

    Control& version = controls[3];
    version.name = "Label2";
    version.kind = ControlKind::Label;
    version.left = 3750, version.top = 1500, version.width = 1875, version.height = 270;
    version.tabIndex = 3;
    version.alignment = Alignment::Center;

    Control& image = controls[4];
    image.name = "Image1";
    image.kind = ControlKind::Image;
    image.left = 3780, image.top = 15, image.width = 1815, image.height = 1455;
    image.picture = image_;
    return controls;
}

void SampleChoiceWindow::onLoad() {
    Control& list = control("List1");
    list.items = {"Kopfbogen 1.Seite + Kopfbogen 2. Seite", "alles auf Kopfbogen 1. Seite",
                  "alles auf Kopfbogen 2. Seite"};
    list.listIndex = 0;
    control("Label1").caption =
        "Musterfirma GmbH\n\nBeispielweg 1\n12345 Musterstadt\n\n"
        "Tel. 01234 56789 / Fax 01234 56780\nE-Mail: post@musterfirma.example";
    control("Label2").caption = "Programm Version: 1.1.8";
}

}  // namespace runtime::render
