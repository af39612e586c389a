#pragma once
// A document file as a host takes it from its command line: only a regular
// file is a document. A folder, a pipe or a device is none, and opening a
// pipe would wait for ever for a writer, so neither the host nor its office
// ever opens one.
#include <filesystem>
#include <string>

namespace office {

// Why `file` is no document, in German ("Der Pfad ist ein Ordner."); empty
// for a regular file. A file whose folder cannot be read is as good as
// missing.
std::string whyNoDocumentFile(const std::filesystem::path& file);

// The bytes of the regular file `file`. Throws DocumentRefused
// (OfficeRenderer.h) naming the file when it is none or cannot be read.
std::string readDocumentFile(const std::filesystem::path& file);

}  // namespace office
