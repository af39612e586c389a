// What happens when a file of the result's name exists already.
#include "platform/runtime/Interaction.h"
#include "src/export/OutputNaming.h"
#include "src/settings/INI_Datei.h"
#include "src/settings/Keys.h"
#include "src/ui/frmDialog.h"
#include "src/ui/frmMenue.h"

using namespace INI_Datei;

frmMenue::Flow frmMenue::settleCollision(ExportRun& run) {
    if (!com::isTrue(FileFolderExists(run.target))) {
        run.finalBaseName = run.baseName + KuerzelSuffix;
        return Flow::Continue;
    }

    // A cancel left over from an earlier run must not decide this one.
    AnswerCancel = com::False;
    if (const auto keys = Keys::answerKeys(HostKind)) {
        AnswerRemembered = com::toBoolean(ReadIniInteger(SettingsFile(), Section, keys->gelesen));
        if (com::isTrue(AnswerRemembered)) {
            AnswerOverwrite = com::toBoolean(ReadIniInteger(SettingsFile(), Section, keys->overwrite));
            AnswerRename = com::toBoolean(ReadIniInteger(SettingsFile(), Section, keys->rename));
        }
    }
    if (!com::isTrue(AnswerRemembered)) {
        frmDialog dialog;
        dialog.load();
        dialog.control("Label1").caption = "Die Ausgabedatei " + run.target + " existiert bereits!";
        runtime::ShowModal(dialog);
    }
    if (com::isTrue(AnswerCancel)) return Flow::Cleanup;

    if (AnswerRename == com::True) {
        const auto numbered = OutputNaming::firstFreeNumberedName(
            run.outputFolder, run.baseName, KuerzelSuffix,
            [this](const std::string& path) { return com::isTrue(FileFolderExists(path)); });
        if (!numbered) {
            // Every numbered name is taken: stop rather than fall back to a
            // name that would replace somebody's file.
            failed("Kein freier Dateiname gefunden: " + run.outputFolder + run.baseName + "_1" + KuerzelSuffix +
                       ".pdf bis " + run.outputFolder + run.baseName + "_50" + KuerzelSuffix +
                       ".pdf sind alle vergeben.",
                   run);
            return Flow::End;
        }
        run.finalBaseName = *numbered;
        return Flow::Continue;
    }

    // Any answer that is neither cancel nor rename overwrites. The old file
    // stays until the new one is made, so a run that fails later loses
    // nothing; one that could not be replaced stops the run now.
    if (!com::isTrue(FileReplaceable(run.target))) return Flow::Cleanup;
    run.finalBaseName = run.baseName + KuerzelSuffix;
    return Flow::Continue;
}
