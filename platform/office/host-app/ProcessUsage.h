#pragma once
// What the host process holds at a moment: to see that the add-in gives
// back what a click took.
#include <string>

namespace office {

struct ProcessUsage {
    int openFiles = 0;         // file descriptors
    long residentKiB = 0;      // resident memory now
    long peakResidentKiB = 0;  // the most resident memory so far
    int children = 0;          // processes whose parent is this one
};

ProcessUsage currentUsage();

// One line: "klick=N dateien=… speicher_kb=… spitze_kb=… kinder=… sekunden=…".
std::string usageLine(int click, const ProcessUsage& usage, double seconds);

}  // namespace office
