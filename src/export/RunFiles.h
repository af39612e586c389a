#pragma once
// The files of one run in its output folder: what it parked from its names
// and what it made at them, known in memory with each file's identity. The
// run settles them from this; every change is also noted in the run journal
// first, for the case that the host dies before.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "src/export/RunJournal.h"

enum class Journal {
    Kept,  // every change is noted in the journal
    None,  // the journal's name belongs to a run that may still work: nothing is noted
};

// The hidden name by which a run claims its names in the output folder
// against runs of other machines: "." + the base of `printedFirst` (the
// first intermediate name, "<base>_$1.pdf") + "_$.belegt".
std::string namesClaim(const std::string& printedFirst);

class RunFiles {
public:
    // The run's files in `folder` (ending in "\") under `names`: the result,
    // then the four intermediate names. The journal lies in `addInFolder`.
    RunFiles(std::string addInFolder, Journal journal, std::string folder, std::vector<std::string> names);

    // The pages the result should have (0: unknown).
    void expectPages(std::int32_t pages);

    // Moves what stands at `path` (one of the run's names) aside. The hidden
    // name where it waits; empty when nothing stood there; none, after the
    // locked-file message, when it could not be moved.
    std::optional<std::string> park(const std::string& path);

    // Makes an empty file at `path` for a program to write into; false
    // when something stands there.
    bool expect(const std::string& path);
    // The file at `path` as it is now is the run's.
    void made(const std::string& path);
    // Moves the run's file `from` to `to`; false when the move fails.
    bool move(const std::string& from, const std::string& to);

    // The new result stays; what was parked from its name goes.
    void keepResult();
    // What the run made at the result's name goes; what stood there comes back.
    void undoResult();

    // The files the run made go (but a kept result) and what it parked
    // comes back; the journal goes.
    void settle();

private:
    void note();
    void forget(const std::string& path);

    std::string addInFolder_;
    Journal journal_;
    RunJournal::Record record_;
};
