// The notes beside the settings file (run journal, default printer) are read
// back after a crash and may hold anything by then. For any bytes: the
// escaping gives a text without line breaks or "=" that reads back as those
// bytes, and a text read as a note neither crashes the reader nor changes
// when the note is written and read again.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

#include "fuzz/Require.h"
#include "src/util/NoteFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes = fuzz::bytesOf(data, size);
    const std::string text = NoteFile::escaped(bytes);
    fuzz::require(text.find_first_of("\r\n=") == std::string::npos, "an escaped value holds a line break or =");
    fuzz::require(NoteFile::unescaped(text) == std::string(bytes), "an escaped value reads back otherwise");

    if (const std::optional<NoteFile::Note> note = NoteFile::Note::parse(bytes, "K")) {
        const std::optional<NoteFile::Note> again = NoteFile::Note::parse(note->text(), "K");
        fuzz::require(again.has_value(), "a note written anew is no note");
        fuzz::require(again->text() == note->text() && again->owner() == note->owner(),
                      "a note written anew reads back otherwise");
    }
    return 0;
}
