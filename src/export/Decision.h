#pragma once
// What a step of the export command decided. The command carries it out:
// a step never ends the run or cleans up by itself.
#include <string>
#include <utility>

enum class Flow {
    Continue,  // on to the next step
    End,       // the run is over; whatever had to be said was said
    Cleanup,   // the run is over once its files are cleaned up
    Abort,     // the abort message, then the cleanup
};

struct Decision {
    // Implicit, so that a step says `return Flow::End;`.
    Decision(Flow next = Flow::Continue, std::string abortText = {})  // NOLINT(google-explicit-constructor)
        : flow(next), why(std::move(abortText)) {}

    Flow flow;
    // What the abort message adds below its own lines; may be empty.
    std::string why;
};
