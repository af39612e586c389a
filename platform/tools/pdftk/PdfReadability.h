#pragma once
// Whether a PDF file can be read by the programs that lay it under pages
// (pdftk), looked at with libqpdf before any of them is started.
#include <string>

namespace pdf {

enum class Readability {
    Readable,
    Missing,              // no such file, or it cannot be opened
    Folder,               // a folder of that name
    Empty,                // a file of no bytes
    NotPdf,               // no PDF header
    Damaged,              // a PDF header, but no document that can be read
    NoPages,              // a document without a page to lay under another
    PasswordNeeded,       // encrypted with a password needed to open it
    EncryptionUnreadable  // encrypted with AES-256 (revision 5 or 6), which pdftk cannot decrypt
};

// How the file at `path` ("\" read as a separator) can be read.
Readability readability(const std::string& path);

}  // namespace pdf
