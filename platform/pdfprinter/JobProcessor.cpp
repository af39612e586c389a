#include "platform/pdfprinter/JobProcessor.h"

#include <algorithm>
#include <exception>
#include <iostream>
#include <string>
#include <system_error>
#include <utility>

#include "platform/com/Variant.h"
#include "platform/pdfprinter/JobTitle.h"
#include "platform/win32/AtomicFile.h"
#include "platform/win32/ErrorText.h"

namespace pdfprinter {

namespace {

// Option values are texts as the hosts passed them: "1", "-1", "Wahr", "0".
bool isOn(const std::string& value) {
    if (value.empty()) return false;
    try {
        return com::isTrue(com::Variant(value).toBoolean());
    } catch (const std::exception&) {
        return false;
    }
}

std::filesystem::path diskPath(std::string path) {
    std::ranges::replace(path, '\\', '/');
    return path;
}

}  // namespace

void JobProcessor::failed(std::uint64_t job, const std::string& path, const std::string& why) {
    std::cerr << "PDFCreator: Der Druckauftrag " << job << " konnte nicht als \"" << path
              << "\" gespeichert werden: " << why << "\n";
    try {
        state_.setLastError("Die Datei " + path + " lässt sich nicht schreiben: " + why);
    } catch (const std::exception& error) {
        std::cerr << "PDFCreator: " << error.what() << "\n";
    }
}

JobProcessor::JobProcessor(PrinterState& state, Spool spool) : state_(state), spool_(std::move(spool)) {}

int JobProcessor::processWaitingJobs() {
    int written = 0;
    for (const auto job : spool_.waitingJobs()) {
        if (stuck_.contains(job)) continue;
        // Read for every job: a host changes the file name between its jobs.
        if (state_.jobFlow() == JobFlow::Hold || !isOn(state_.option("UseAutosave"))) break;
        // Another program's job would take the name meant for this document's.
        if (!isJobOf(spool_.title(job), state_.option(jobTitleOption))) continue;
        if (write(job)) ++written;
    }
    return written;
}

bool JobProcessor::write(std::uint64_t job) {
    const std::string reported = state_.option("AutosaveDirectory") + state_.option("AutosaveFilename") + ".pdf";
    bool written = false;
    try {
        const auto pdf = spool_.pdf(job);
        if (!pdf) return false;  // dropped meanwhile (cClearCache)
        const auto path = diskPath(reported);
        // The printer makes the autosave folder, as a user would expect of
        // a folder named in its options.
        if (path.has_parent_path()) std::filesystem::create_directories(path.parent_path());
        win32::writeFileAtomically(path, *pdf);
        written = true;
    } catch (const std::system_error& error) {
        failed(job, reported, win32::errorText(error.code()));
    } catch (const std::exception& error) {
        failed(job, reported, error.what());
    }
    try {
        spool_.drop(job);
    } catch (const std::exception& error) {
        stuck_.insert(job);
        std::cerr << "PDFCreator: Der Druckauftrag " << job << " konnte nicht entfernt werden: " << error.what()
                  << "\n";
    }
    if (written) state_.setLastOutput(reported);
    return written;
}

}  // namespace pdfprinter
