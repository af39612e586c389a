#include "platform/office/host-app/OpenedDocument.h"

#include <filesystem>

#include "platform/office/pages/DocumentFormat.h"
#include "platform/office/pages/PageFile.h"
#include "platform/office/render/DocumentFile.h"
#include "platform/world/World.h"

namespace office {

namespace {

// A workbook that is text or PDF has one sheet, Excel's first.
constexpr const char* kPlainSheet = "Tabelle1";

}  // namespace

OpenedDocument openDocument(const HostOptions& options, std::optional<OfficeRenderer>& office) {
    OpenedDocument opened;
    opened.sheet.name = options.sheet.empty() ? kPlainSheet : options.sheet;
    // A new document has never been stored, and counts as saved until the
    // user changes it.
    opened.document.saved = options.modified ? com::False : com::True;
    if (options.source == DocumentSource::New) {
        opened.document.name = options.excel ? "Mappe1" : "Dokument1";
        return opened;
    }

    const std::filesystem::path file = std::filesystem::absolute(options.document);
    const std::string contents = readDocumentFile(file);
    opened.document.path = file.parent_path().string();
    opened.document.name = file.filename().string();
    opened.document.file = file.string();

    switch (documentFormat(contents)) {
        case DocumentFormat::Text: opened.shown = contents; return opened;
        case DocumentFormat::Pdf: opened.shown = "PDF-Dokument"; return opened;
        case DocumentFormat::Unknown:
            throw DocumentRefused(file, "Die Datei ist weder Text noch ein Word- oder Excel-Dokument.");
        case DocumentFormat::Office: break;
    }
    if (!office) office.emplace(world::subfolder("office"));
    LaidOutDocument laidOut =
        office->layOut(file, options.excel ? OfficeDocumentKind::Spreadsheet : OfficeDocumentKind::Text, options.sheet);
    const std::int32_t pages = PageFile(PageFile::LaidOut{laidOut.pdf}).pageCount();
    opened.shown = opened.document.name + (options.excel ? ", Blatt " + laidOut.sheet : std::string()) + ": " +
                   std::to_string(pages) + (pages == 1 ? " Seite" : " Seiten");
    if (options.excel) opened.sheet.name = laidOut.sheet;
    opened.document.laidOut = std::move(laidOut.pdf);
    return opened;
}

}  // namespace office
