#pragma once
// What a document file holds, told from its bytes rather than its name, as a
// host does: Word opens a renamed file all the same.
#include <string_view>

namespace office {

enum class DocumentFormat {
    Pdf,      // "%PDF" at the start: the pages print as they are
    Office,   // a Word or Excel document (zip, compound file, RTF, flat XML, Excel 2.1 to 4.0): the office lays it out
    Text,     // plain text (UTF-8 or Windows-1252): set on pages as TextPdf.h describes
    Unknown,  // anything else, which no host opens
};

// Text holds no control characters but tab, line ends, vertical tab and form
// feed, so that random bytes are never taken for text.
DocumentFormat documentFormat(std::string_view bytes);

}  // namespace office
