#include "src/export/Collision.h"

#include "platform/runtime/Interaction.h"
#include "src/export/OutputNaming.h"
#include "src/settings/INI_Datei.h"
#include "src/settings/Keys.h"
#include "src/ui/frmDialog.h"
#include "src/util/FileChecks.h"
#include "src/util/Messages.h"
#include "src/util/TellOnce.h"

using namespace INI_Datei;

namespace {

enum class Answer { Overwrite, Rename, Cancel };

// Any answer that is neither cancel nor rename overwrites.
Answer overwriteOrRename(com::Boolean rename) {
    return rename == com::True ? Answer::Rename : Answer::Overwrite;
}

// The remembered answer, or the question's. The question leaves its answer
// in the settings module's flags (and the keys when the user ticked the
// box); this is the one place that reads them afterwards.
Answer askedOrRemembered(const std::string& target) {
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
        dialog.control("Label1").caption = "Die Ausgabedatei " + target + " existiert bereits!";
        runtime::ShowModal(dialog);
        if (dialog.unstoredStandard()) {
            // It still counts for this run; the next asks again.
            TellOnce::tell("Die Antwort lässt sich nicht als Standard speichern:\r\n" + SettingsFile() + "\r\n" +
                           *dialog.unstoredStandard() +
                           "\r\nDie Antwort gilt nur für diesen PDF-Ausdruck; beim nächsten wird wieder gefragt.");
        }
    }
    if (com::isTrue(AnswerCancel)) return Answer::Cancel;
    return overwriteOrRename(AnswerRename);
}

}  // namespace

namespace Collision {

std::string rememberedAnswer(const std::string& hostKind) {
    const auto keys = Keys::answerKeys(hostKind);
    if (!keys || !com::isTrue(com::toBoolean(ReadIniInteger(SettingsFile(), Section, keys->gelesen)))) return {};
    const auto rename = com::toBoolean(ReadIniInteger(SettingsFile(), Section, keys->rename));
    return overwriteOrRename(rename) == Answer::Rename ? "Umbenennen" : "Überschreiben";
}

Decision settle(ExportRun& run) {
    const std::string ownName = run.baseName + run.KuerzelSuffix;
    if (!com::isTrue(FileChecks::FileFolderExists(run.target))) {
        run.finalBaseName = ownName;
        return Flow::Continue;
    }

    switch (askedOrRemembered(run.target)) {
        case Answer::Cancel: return Flow::Cleanup;
        case Answer::Rename: {
            const auto numbered = OutputNaming::firstFreeNumberedName(
                run.outputFolder, run.baseName, run.KuerzelSuffix,
                [](const std::string& path) { return com::isTrue(FileChecks::FileFolderExists(path)); });
            // Every numbered name is taken: stop rather than fall back to a
            // name that would replace somebody's file.
            if (!numbered)
                return {Flow::Abort, "Kein freier Dateiname gefunden: " + run.outputFolder + run.baseName + "_1" +
                                         run.KuerzelSuffix + ".pdf bis " + run.outputFolder + run.baseName + "_50" +
                                         run.KuerzelSuffix + ".pdf sind alle vergeben."};
            run.finalBaseName = *numbered;
            return Flow::Continue;
        }
        case Answer::Overwrite: break;
    }
    // The old file stays until the new one is made, so a run that fails
    // later loses nothing; one that could not be replaced stops the run now.
    if (!com::isTrue(FileChecks::FileReplaceable(run.target))) return Flow::Cleanup;
    run.finalBaseName = ownName;
    return Flow::Continue;
}

}  // namespace Collision
