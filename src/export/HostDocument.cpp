#include "src/export/HostDocument.h"

#include <filesystem>

#include "platform/runtime/Interaction.h"
#include "platform/win32/Directories.h"
#include "platform/win32/Files.h"
#include "src/export/OutputNaming.h"
#include "src/settings/INI_Datei.h"
#include "src/settings/Keys.h"
#include "src/util/Failures.h"
#include "src/util/FileChecks.h"
#include "src/util/Messages.h"

using namespace INI_Datei;

namespace {

// The host document's folder when the setting is empty or a single character.
bool folderUnset(const std::string& setting) {
    return runtime::Len(setting) <= 1;
}

Decision saveLoop(com::Object& Application, const char* document, ExportRun& run) {
    // Asked again after every save that did not leave the document saved.
    while (Application.object(document).get("Saved").toBoolean() == com::False) {
        run.iAntwort =
            static_cast<std::int16_t>(runtime::MsgBox("Zur Weiterarbeit muss das Dokument gespeichert werden!",
                                                      runtime::vbOKCancel + runtime::vbQuestion, MessageTitle));
        if (run.iAntwort == runtime::vbCancel) {
            runtime::MsgBox("Verarbeitung abgebrochen", runtime::vbOKOnly, MessageTitle);
            return Flow::End;
        }
        // The host may show its own save dialog; a failed or cancelled save
        // just brings the question back.
        ignoreFailure([&] { Application.object(document).call("Save"); });
    }
    return Flow::Continue;
}

// What keeps the run from writing into `folder` (ending in "\"); empty when
// nothing does. Told before anything is printed, rather than as a failed
// print after the printer's time ran out.
std::string unusable(const std::string& folder) {
    if (!win32::PathIsDirectoryA(folder)) {
        if (com::isTrue(FileChecks::FileFolderExists(folder.substr(0, folder.size() - 1))))
            return "Der Ausgabeordner " + folder + " ist eine Datei, kein Ordner.";
        return "Der Ausgabeordner " + folder + " lässt sich nicht anlegen.";
    }
    std::string probe;
    if (win32::GetTempFileNameA(folder, "pdf", 0, probe) == 0)
        return "In den Ausgabeordner " + folder + " lässt sich nicht schreiben.";
    win32::DeleteFileA(probe);
    return {};
}

Decision outputFolder(const char* settingKey, const com::Object& document, ExportRun& run) {
    const std::string setting = ReadIniString(SettingsFile(), Section, settingKey);
    // A value that fills the whole of what the reader takes was cut: a folder
    // at the cut path would be the wrong one.
    if (runtime::Len(setting) >= LongestValue)
        return {Flow::Abort, "Der Wert von " + std::string(settingKey) + " in " +
                                 ValueSource(SettingsFile(), Section, settingKey) + " ist zu lang (höchstens " +
                                 std::to_string(LongestValue - 1) + " Zeichen)."};
    std::string folder;
    if (folderUnset(setting)) {
        folder = document.get("Path").toString();
    } else {
        PathValue named = ReadIniPath(SettingsFile(), Section, settingKey);
        if (!named.why.empty()) return {Flow::Abort, named.why};
        folder = std::move(named.path);
    }
    folder = WithTrailingBackslash(folder);
    // The trailing backslash makes the last folder itself be created too.
    if (!com::isTrue(FileChecks::FileFolderExists(folder))) win32::MakeSureDirectoryPathExists(folder);
    if (const std::string why = unusable(folder); !why.empty()) return {Flow::Abort, why};
    run.outputFolder = folder;
    return Flow::Continue;
}

}  // namespace

namespace HostDocument {

std::string nothingToPrint(com::Object& Application, Host host) {
    if (host == Host::Word) {
        if (Application.object("Documents").get("Count").toLong() == 0) return "In Word ist kein Dokument geöffnet.";
        return {};
    }
    // Without a workbook Excel's page count is an error value, not 0.
    const com::Object workbook = Application.object("ActiveWorkbook");
    if (workbook.isNothing()) return "In Excel ist keine Arbeitsmappe geöffnet.";
    if (Application.call("ExecuteExcel4Macro", {{"Get.Document(50)"}}).toDouble() != 0) return {};
    return "Das Blatt " + workbook.object("ActiveSheet").get("Name").toString() + " der Arbeitsmappe " +
           workbook.get("Name").toString() + " hat keine Seite zu drucken.";
}

Decision prepare(com::Object& Application, ExportRun& run) {
    const bool word = run.host == Host::Word;
    const char* const document = word ? "ActiveDocument" : "ActiveWorkbook";
    if (Decision saved = saveLoop(Application, document, run); saved.flow != Flow::Continue) return saved;

    const com::Object stored = Application.object(document);
    if (stored.get("Path").toString().empty()) {
        runtime::MsgBox("Das Dokument hat keine Inhalt", runtime::vbCritical, MessageTitle);
        return Flow::End;
    }

    if (Decision folder = outputFolder(word ? Keys::PDFAusgabePfadWord : Keys::PDFAusgabePfadExcel, stored, run);
        folder.flow != Flow::Continue)
        return folder;
    const std::string name = stored.get("Name").toString();
    if (OutputNaming::hasSeparator(name))
        return {Flow::Abort,
                "Der Dokumentname " + name + " enthält \\ oder /; die PDF-Datei käme nicht in den Ausgabeordner."};
    // It would end pdftk's quoted arguments early.
    if (name.find('"') != std::string::npos)
        return {Flow::Abort,
                "Der Dokumentname " + name + " enthält ein Anführungszeichen und kann nicht verarbeitet werden."};
    run.documentName = name;
    run.baseName = word ? OutputNaming::wordBaseName(name)
                        : OutputNaming::excelBaseName(name, stored.object("ActiveSheet").get("Name").toString());
    return Flow::Continue;
}

std::string whyNoOutputFolder(const std::string& folder) {
    if (win32::PathIsDirectoryA(folder) ||
        com::isTrue(FileChecks::FileFolderExists(folder.substr(0, folder.size() - 1))))
        return unusable(folder);
    // The run makes the missing folders below the nearest one that exists.
    std::filesystem::path above = std::filesystem::path(win32::hostPath(folder)).parent_path();
    while (above.has_relative_path() && !com::isTrue(FileChecks::FileFolderExists(above.string())))
        above = above.parent_path();
    std::string probe;
    if (!win32::PathIsDirectoryA(above.string()) || win32::GetTempFileNameA(above.string(), "pdf", 0, probe) == 0)
        return "Der Ausgabeordner " + folder + " lässt sich nicht anlegen.";
    win32::DeleteFileA(probe);
    return {};
}

std::int32_t pages(com::Object& Application, Host host) {
    switch (host) {
        case Host::Word: {
            constexpr std::int32_t wdStatisticPages = 2;
            return Application.object("ActiveDocument").call("ComputeStatistics", {{wdStatisticPages}}).toLong();
        }
        case Host::Excel:
            return static_cast<std::int32_t>(Application.call("ExecuteExcel4Macro", {{"Get.Document(50)"}}).toDouble());
        case Host::Other: break;
    }
    return 0;
}

}  // namespace HostDocument
