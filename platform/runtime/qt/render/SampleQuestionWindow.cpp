#include "platform/runtime/qt/render/SampleQuestionWindow.h"

namespace runtime::render {

namespace {

Control button(const char* name, const char* caption, int left, int top, int tabIndex) {
    Control c;
    c.name = name;
    c.kind = ControlKind::CommandButton;
    c.caption = caption;
    c.left = left, c.top = top, c.width = 1215, c.height = 540, c.tabIndex = tabIndex;
    return c;
}

}  // namespace

SampleQuestionWindow::SampleQuestionWindow() : Form("Frage ?", 6030, 3195) {}

std::vector<Control> SampleQuestionWindow::design() const {
    Control box;
    box.name = "Check1";
    box.kind = ControlKind::CheckBox;
    box.left = 180, box.top = 2835, box.width = 5670, box.height = 240, box.tabIndex = 3;

    Control text;
    text.name = "Label1";
    text.kind = ControlKind::Label;
    text.left = 135, text.top = 240, text.width = 5595, text.height = 990, text.tabIndex = 4;

    return {button("cmdRename", "Umbenennen", 450, 1815, 0),
            button("OKButton", "Überschreiben", 1950, 1800, 1),
            button("CancelButton", "Abbrechen", 4035, 1815, 2), box, text};
}

void SampleQuestionWindow::onLoad() {
    control("Check1").caption = "Diese Antwort als Standard übernehmen und  nicht wieder Fragen?";
    control("Label1").caption =
        "Die Ausgabedatei /home/anna/Dokumente/PDF/Angebot_2024-017_MF.pdf existiert bereits!";
}

}  // namespace runtime::render
