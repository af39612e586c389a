#pragma once
// The note of what a run moved aside and made in its output folder, kept
// beside the settings file (pdf-Kalmora.lauf) from the first file the run
// touches to the end of its cleanup. It is only for a run that died (its host
// crashed or was killed): a run settles its own files from what it knows.
// Every file is noted with its identity, so that recovery touches a file only
// while it is still the one the dead run made or parked.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/win32/FileIdentity.h"
#include "platform/win32/ProcessIdentity.h"

namespace RunJournal {

inline constexpr const char* FileName = "pdf-Kalmora.lauf";

// A file's identity as noted: a file that a program is still writing into
// is known by its volume and index alone.
struct Identity {
    win32::FileIdentity file;
    bool whole = true;  // false: size and time of the last write not yet known

    // Whether the file at `path` is still the one noted.
    bool matches(const std::string& path) const;
    // The identity of the file at `path` now; none when nothing is there.
    static std::optional<Identity> of(const std::string& path);
};

// A file that stood at one of the run's names, and where it waits.
struct Parked {
    std::string original;
    std::string parked;
    Identity identity;
};

// A file the run made at one of its names.
struct Made {
    std::string path;
    Identity identity;
};

struct Record {
    std::string folder;              // the output folder, ending in "\"
    std::vector<std::string> names;  // the result, then the four intermediate names
    std::int32_t pages = 0;          // the pages the result should have; 0: unknown
    std::vector<Parked> parked;
    std::vector<Made> made;

    const std::string& result() const { return names.front(); }
};

enum class Found {
    None,     // no journal: nothing to settle
    Dead,     // a run of this machine whose process is gone: `record` is to be settled
    Live,     // a run that may still be working (another machine's, or a live process's)
    Damaged,  // a journal that makes no sense, set aside and named
};

struct Reading {
    Found found = Found::None;
    Record record;
};

// The journal in the add-in folder `addInFolder` (ending in "\"). A journal
// that is no journal of a run (other bytes, names outside its folder or
// not of its run, more than one run has) is set aside as
// pdf-Kalmora.lauf.defekt, named once, and never acted on.
Reading read(const std::string& addInFolder);

// Writes the journal whole; false when it cannot be written (named once per
// host start: the run goes on, only the recovery after a crash is lost).
bool write(const std::string& addInFolder, const Record& record);

// Deletes the journal.
void drop(const std::string& addInFolder);

}  // namespace RunJournal
