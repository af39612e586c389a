#pragma once
// The note of what a run moved aside and made in the output folder, kept
// beside the settings file (pdf-Kalmora.lauf) from the first file the run
// touches to the end of its cleanup. Only the holder of the machine's lock
// writes or reads it, so a note that the next holder finds is that of a run
// that died (its host crashed or was killed).
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace RunJournal {

// A file that stood at one of the run's names, and where it waits.
struct Parked {
    std::string original;
    std::string parked;
};

struct Note {
    std::vector<Parked> parked;
    // The run's intermediate names, once every one of them was cleared.
    std::vector<std::string> made;
    // The result the run writes, once it has started to; empty before.
    std::string result;
    // The pages the result should have; 0 when the host could not tell.
    std::int32_t pages = 0;
};

// The note a run left; none when there is none.
std::optional<Note> read();
// Notes a file before it is moved aside, so that nothing moved goes unnoted.
void noteParked(const Parked& parked);
void noteMade(const std::vector<std::string>& names);
void noteResult(const std::string& result, std::int32_t pages);
// Drops the note once everything in it is settled.
void drop();

}  // namespace RunJournal
