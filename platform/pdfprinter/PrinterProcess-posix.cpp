// The PDF printer process (PDFCreator.exe): takes the jobs that the print
// system spools for the printer "PDFCreator" and writes them as the PDF files
// its options name. One process per world; a second start finds the first
// and ends at once. It ends when asked (stop-request, SIGTERM) and when its
// world disappears.
#include <unistd.h>
#include <atomic>
#include <chrono>
#include <csignal>
#include <exception>
#include <iostream>
#include <string>
#include <string_view>
#include <thread>

#include "platform/com/Dispatch.h"
#include "platform/pdfprinter/InstanceLock.h"
#include "platform/pdfprinter/JobProcessor.h"
#include "platform/pdfprinter/Names.h"
#include "platform/pdfprinter/PrinterState.h"
#include "platform/printers/PrintSystem.h"

namespace {

constexpr auto pollInterval = std::chrono::milliseconds(50);

volatile std::sig_atomic_t endRequested = 0;

extern "C" void onEndSignal(int) {
    endRequested = 1;
}

bool holdsAtStartup(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        if (com::sameName(argv[i], pdfprinter::noProcessingAtStartup)) return true;
    }
    return false;
}

int run(int argc, char** argv) {
    using namespace pdfprinter;
    PrinterState state;
    auto lock = InstanceLock::acquire(state.folder());
    if (!lock) return 0;  // the printer runs already

    // What a fresh start means for the hosts: nothing written yet, and the
    // jobs held or flowing as the start asked.
    state.clearStopRequest();
    state.setLastOutput("");
    state.setLastError("");
    state.setJobFlow(holdsAtStartup(argc, argv) ? JobFlow::Hold : JobFlow::Process);

    struct sigaction action {};
    action.sa_handler = onEndSignal;
    sigemptyset(&action.sa_mask);
    ::sigaction(SIGTERM, &action, nullptr);
    ::sigaction(SIGINT, &action, nullptr);

    JobProcessor processor(state, Spool(printers::spoolFolder(std::string(printerName))));
    lock->markReady();
    const int self = ::getpid();
    while (endRequested == 0 && lock->stillHeld() && !state.stopRequested(self)) {
        try {
            processor.processWaitingJobs();
        } catch (const std::exception& error) {
            // A world being changed under our feet; the next poll tries again.
            std::cerr << "PDFCreator: " << error.what() << "\n";
        }
        std::this_thread::sleep_for(pollInterval);
    }
    if (lock->stillHeld()) state.clearStopRequest();
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    try {
        return run(argc, argv);
    } catch (const std::exception& error) {
        std::cerr << "PDFCreator: " << error.what() << "\n";
        return 1;
    }
}
