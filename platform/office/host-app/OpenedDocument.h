#pragma once
// The document that the host opens for its command line (--open, --new), as
// Word and Excel hold it: a stored file's folder and name, its pages (a real
// Word or Excel document laid out by the office), and for Excel the sheet
// that shows.
#include <optional>
#include <string>

#include "platform/office/host-app/HostOptions.h"
#include "platform/office/model/Document.h"
#include "platform/office/model/Sheet.h"
#include "platform/office/render/OfficeRenderer.h"

namespace office {

struct OpenedDocument {
    Document::State document;
    Sheet::State sheet;  // Excel's active sheet
    std::string shown;   // what the host's window shows of it
};

// Opens the document of `options`. An office document is laid out by
// `office`, which is started on the first such document. Throws
// DocumentRefused, its text naming the file and the reason, for a file that
// the host cannot open: missing, a folder, a pipe or a device (never opened,
// so that nothing waits for a writer), unreadable, neither text, PDF nor a Word or
// Excel document, encrypted, damaged, or without the sheet asked for.
OpenedDocument openDocument(const HostOptions& options, std::optional<OfficeRenderer>& office);

}  // namespace office
