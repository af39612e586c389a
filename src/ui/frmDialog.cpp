#include "src/ui/frmDialog.h"

#include <utility>

#include "src/settings/INI_Datei.h"
#include "src/settings/Keys.h"
#include "src/ui/pictures/Pictures.h"

using namespace INI_Datei;

frmDialog::frmDialog() : runtime::Form("Frage ?", 6030, 3195) {}

runtime::Picture frmDialog::icon() const {
    return Pictures::blankIcon();
}

std::vector<runtime::Control> frmDialog::design() const {
    using runtime::ControlKind;
    const auto button = [](const char* name, const char* caption, int left, int top, int tabIndex, const char* answer) {
        return runtime::Control{.name = name,
                                .kind = ControlKind::CommandButton,
                                .left = left,
                                .top = top,
                                .width = 1215,
                                .height = 540,
                                .tabIndex = tabIndex,
                                .caption = caption,
                                .answer = answer};
    };
    // "Überschreiben" sits 15 twips higher than the other two buttons.
    return {
        button("cmdRename", "Umbenennen", 450, 1815, 0, "rename"),
        button("OKButton", "Überschreiben", 1950, 1800, 1, "overwrite"),
        button("CancelButton", "Abbrechen", 4035, 1815, 2, "cancel"),
        {.name = "Check1",
         .kind = ControlKind::CheckBox,
         .left = 180,
         .top = 2835,
         .width = 5670,
         .height = 240,
         .tabIndex = 3,
         .answer = "remember"},
        {.name = "Label1",
         .kind = ControlKind::Label,
         .left = 135,
         .top = 240,
         .width = 5595,
         .height = 990,
         .tabIndex = 4},
    };
}

void frmDialog::onLoad() {
    answer_ = "close";
    unstoredStandard_.reset();
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
    // One write for the whole answer: a settings folder that another program
    // holds locked delays the closing window once, not once per key.
    if (const auto keys = Keys::answerKeys(HostKind)) {
        auto unstored = WriteIniStrings(SettingsFile(), Section,
                                        {{keys->overwrite, Keys::flagText(AnswerOverwrite)},
                                         {keys->rename, Keys::flagText(AnswerRename)},
                                         {keys->gelesen, Keys::checkBoxText(control("Check1").value)}});
        // Only a ticked box loses something the user asked for.
        if (control("Check1").value != 0) unstoredStandard_ = std::move(unstored);
    }
}

std::string frmDialog::outcome() const {
    return answer_ + (control("Check1").value != 0 ? " remember" : "");
}
