#include "src/ui/frmDialog.h"

#include "src/settings/INI_Datei.h"
#include "src/settings/Keys.h"
#include "src/ui/pictures/Pictures.h"

using namespace INI_Datei;

namespace {

runtime::Control button(const char* name, const char* caption, int left, int top, int tabIndex, const char* answer) {
    runtime::Control c;
    c.name = name;
    c.kind = runtime::ControlKind::CommandButton;
    c.caption = caption;
    c.left = left, c.top = top, c.width = 1215, c.height = 540, c.tabIndex = tabIndex;
    c.answer = answer;
    return c;
}

}  // namespace

frmDialog::frmDialog() : runtime::Form("Frage ?", 6030, 3195) {}

runtime::Picture frmDialog::icon() const {
    return Pictures::blankIcon();
}

std::vector<runtime::Control> frmDialog::design() const {
    // "Überschreiben" sits 15 twips higher than the other two buttons.
    std::vector<runtime::Control> controls = {
        button("cmdRename", "Umbenennen", 450, 1815, 0, "rename"),
        button("OKButton", "Überschreiben", 1950, 1800, 1, "overwrite"),
        button("CancelButton", "Abbrechen", 4035, 1815, 2, "cancel"),
    };
    runtime::Control box;
    box.name = "Check1";
    box.kind = runtime::ControlKind::CheckBox;
    box.left = 180, box.top = 2835, box.width = 5670, box.height = 240, box.tabIndex = 3;
    box.answer = "remember";
    controls.push_back(box);
    runtime::Control label;
    label.name = "Label1";
    label.kind = runtime::ControlKind::Label;
    label.left = 135, label.top = 240, label.width = 5595, label.height = 990, label.tabIndex = 4;
    controls.push_back(label);
    return controls;
}

void frmDialog::onLoad() {
    answer_ = "close";
    AnswerCancel = AnswerOverwrite = AnswerRename = AnswerRemembered = com::False;
    if (const auto keys = Keys::answerKeys(HostKind)) {
        AnswerOverwrite = com::toBoolean(ReadIniInteger(SettingsFile(), Section, keys->overwrite));
        AnswerRemembered = com::toBoolean(ReadIniInteger(SettingsFile(), Section, keys->gelesen));
    }
    runtime::Control& box = control("Check1");
    box.value = com::isTrue(AnswerRemembered) ? 1 : 0;
    box.caption = "Diese Antwort als Standard übernehmen und  nicht wieder Fragen?";
}

void frmDialog::onActivate() {
    // The last stored answer was to overwrite: offer it again.
    if (com::isTrue(AnswerOverwrite)) setFocus("OKButton");
}

void frmDialog::onClick(std::string_view controlName) {
    if (controlName == "OKButton") {
        answer_ = "overwrite";
        AnswerRename = com::False;
        AnswerOverwrite = com::True;
    } else if (controlName == "cmdRename") {
        answer_ = "rename";
        AnswerOverwrite = com::False;
        AnswerRename = com::True;
    } else if (controlName == "CancelButton") {
        answer_ = "cancel";
        AnswerCancel = com::True;
    } else {
        return;  // the check box counts only when the dialog closes
    }
    unload();
}

void frmDialog::onUnload(runtime::UnloadReason reason) {
    // Closing the window without an answer is a cancel: the user did not agree
    // to lose the existing file, and nothing is remembered.
    if (reason == runtime::UnloadReason::CloseBox) AnswerCancel = com::True;
    if (com::isTrue(AnswerCancel)) return;
    if (const auto keys = Keys::answerKeys(HostKind)) {
        WriteIniString(SettingsFile(), Section, keys->overwrite, Keys::flagText(AnswerOverwrite));
        WriteIniString(SettingsFile(), Section, keys->rename, Keys::flagText(AnswerRename));
        WriteIniString(SettingsFile(), Section, keys->gelesen, Keys::checkBoxText(control("Check1").value));
    }
}

std::string frmDialog::outcome() const {
    return answer_ + (control("Check1").value != 0 ? " remember" : "");
}
