#pragma once
// The notes a run keeps beside the settings file for the case that its host
// dies: what it moved aside and made, and the user's default printer. A note
// is a first line naming its kind, then lines "key=value". Values are file
// and printer names byte for byte: every byte that could break a line or a
// key (CR, LF, "=", "%", other control characters, bytes that are no UTF-8)
// is written as "%" and two hex digits, so any name comes back as it was.
// Every note names the process that wrote it (machine, boot, process, start),
// so that only its own machine settles it, and only once it is gone.
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/win32/ProcessIdentity.h"

namespace NoteFile {

std::string escaped(std::string_view bytes);
// The bytes `text` stands for; none for a text that escaped() never gives.
std::optional<std::string> unescaped(std::string_view text);

class Note {
public:
    // An empty note of `kind`, owned by the calling process.
    explicit Note(std::string kind);

    void add(std::string key, std::string_view value);
    // The first value of `key`; none when the note has none.
    std::optional<std::string> value(std::string_view key) const;
    // Every value of `key`, in the order added.
    std::vector<std::string> values(std::string_view key) const;
    const win32::ProcessIdentity& owner() const { return owner_; }
    std::string text() const;

    // The note of `kind` that `text` holds; none for a text that is no such
    // note: another kind, a line that is no "key=value", a bad escape, no
    // owner, or more than a note of ours ever holds.
    static std::optional<Note> parse(std::string_view text, std::string_view kind);

private:
    std::string kind_;
    win32::ProcessIdentity owner_;
    std::vector<std::pair<std::string, std::string>> lines_;
};

enum class State { Missing, Damaged, Found };

struct Read {
    State state = State::Missing;
    std::optional<Note> note;  // when Found
};

// The note of `kind` at `path`. Anything at the name that is not a regular
// file holding such a note (a folder, a link, a pipe, other bytes) is Damaged;
// nothing there is read beyond what a note can hold, so nothing waits.
Read read(const std::string& path, std::string_view kind);

// Writes the note whole or not at all (never through a link); the reason
// (German) when it cannot be written, empty when it was.
std::string write(const std::string& path, const Note& note);

// Moves a damaged note out of the way, to `path` + ".defekt" (replacing an
// older one); the reason (German) when it cannot be moved, empty otherwise.
std::string setAside(const std::string& path);

// Deletes the note; a note that cannot be deleted stays for the next run.
void drop(const std::string& path);

}  // namespace NoteFile
