#pragma once
// Whether a PDF file can be read by the programs that lay it under pages
// (pdftk), looked at with libqpdf before any of them is started.
#include <cstddef>
#include <cstdint>
#include <string>

namespace pdf {

enum class Readability {
    Readable,
    Missing,              // no such file, or it cannot be opened
    Folder,               // a folder of that name
    NotAFile,             // a pipe, a device or a socket: reading it may never end
    TooLarge,             // larger than the caller accepts
    Empty,                // a file of no bytes
    NotPdf,               // no PDF header
    Damaged,              // a PDF header, but no document that can be read
    NoPages,              // a document without a page to lay under another
    PasswordNeeded,       // encrypted with a password needed to open it
    EncryptionUnreadable  // encrypted with AES-256 (revision 5 or 6), which pdftk cannot decrypt
};

struct Inspection {
    Readability readability;
    std::size_t pages;  // 0 unless Readable
};

// How the file at `path` ("\" read as a separator) can be read, and its
// pages. A file of more than `largest` bytes is not read (TooLarge).
Inspection inspect(const std::string& path, std::uintmax_t largest);

}  // namespace pdf
