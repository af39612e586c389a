#include "platform/pdfprinter/PdfCreatorObject.h"

#include <chrono>
#include <exception>
#include <thread>
#include <utility>

#include "platform/pdfprinter/InstanceLock.h"
#include "platform/pdfprinter/JobTitle.h"
#include "platform/pdfprinter/Spool.h"
#include "platform/printers/PrintSystem.h"
#include "platform/win32/ChildReaper.h"
#include "platform/win32/Process.h"

namespace pdfprinter {

namespace {

using com::Arguments;
using com::Variant;
using Clock = std::chrono::steady_clock;

// Long enough for a loaded machine, short enough for a host that blocks.
constexpr auto startBudget = std::chrono::seconds(5);
constexpr auto closeBudget = std::chrono::seconds(5);
constexpr auto pollInterval = std::chrono::milliseconds(20);

// Turns a failure of the file system below into the error a host shows,
// in German as the rest of its messages; com errors pass unchanged.
template <typename F>
auto guarded(const char* failure, F&& action) {
    try {
        return action();
    } catch (const com::Error&) {
        throw;
    } catch (const std::exception&) {
        throw com::Error(com::errors::PathFileAccessError, failure);
    }
}

constexpr const char* readFailure = "Der Zustand des PDF-Druckers konnte nicht gelesen werden.";
constexpr const char* writeFailure = "Der Zustand des PDF-Druckers konnte nicht gespeichert werden.";

std::string optionName(const Arguments& index) {
    const Variant* name = index.find(0, "PropertyName");
    if (!name) throw com::Error::fromNumber(com::errors::ArgumentNotOptional);
    return name->toString();
}

}  // namespace

PdfCreatorObject::PdfCreatorObject(std::string program) : program_(std::move(program)) {
    method("cStart", [this](const Arguments& args) { return start(args); });
    method("cClose", [this](const Arguments&) {
        requireServer();
        server_.reset();  // ended on purpose: later calls need no server
        return close();
    });
    property(
        "cOption",
        [this](const Arguments& index) {
            requireServer();
            const auto name = optionName(index);
            return Variant(guarded(readFailure, [&] { return state_.option(name); }));
        },
        [this](const Arguments& index, const Variant& value) {
            requireServer();
            const auto name = optionName(index);
            const auto text = value.toString();
            guarded(writeFailure, [&] { state_.setOption(name, text); });
        });
    property(
        "cDefaultPrinter",
        [this](const Arguments&) {
            requireServer();
            return Variant(guarded(readFailure, [] { return printers::defaultPrinter().value_or(""); }));
        },
        [this](const Arguments&, const Variant& value) {
            requireServer();
            const auto name = value.toString();
            if (!guarded(writeFailure, [&] { return printers::setDefaultPrinter(name); }))
                throw com::Error(com::errors::InvalidProcedureCall,
                                 "Der Drucker \"" + name + "\" ist nicht installiert.");
        });
    property(
        "cPrinterStop",
        [this](const Arguments&) {
            requireServer();
            return Variant(
                guarded(readFailure, [&] { return state_.jobFlow() == JobFlow::Hold ? com::True : com::False; }));
        },
        [this](const Arguments&, const Variant& value) {
            requireServer();
            const auto flow = com::isTrue(value.toBoolean()) ? JobFlow::Hold : JobFlow::Process;
            guarded(writeFailure, [&] { state_.setJobFlow(flow); });
        });
    method("cClearCache", [this](const Arguments&) {
        requireServer();
        guarded("Die wartenden Druckaufträge konnten nicht gelöscht werden.", [&] {
            Spool(printers::spoolFolder(std::string(printerName))).dropAllOf(state_.option(jobTitleOption));
        });
        return Variant();
    });
    property("cErrorDetail", [this](const Arguments& index) {
        requireServer();
        const auto name = optionName(index);
        const std::string why = guarded(readFailure, [&] { return state_.lastError(); });
        if (com::sameName(name, "Number")) return Variant(why.empty() ? 0 : com::errors::PathFileAccessError);
        if (com::sameName(name, "Description")) return Variant(why);
        throw com::Error::fromNumber(com::errors::InvalidProcedureCall);
    });
    property("cOutputFilename", [this](const Arguments&) {
        requireServer();
        return Variant(guarded(readFailure, [&] { return state_.lastOutput(); }));
    });
}

Variant PdfCreatorObject::start(const Arguments& args) {
    const Variant* parameter = args.find(0, "ProgramParameter");
    const std::string text = parameter && !parameter->isEmpty() ? parameter->toString() : "";
    return guarded(readFailure, [&] {
        server_ = InstanceLock::readyHolder(state_.folder());
        if (server_) return Variant(com::True);
        win32::StartOptions options;
        options.commandLine = "\"" + program_ + "\"" + (text.empty() ? "" : " " + text);
        options.showWindow = win32::SW_HIDE;
        win32::StartedProcess started;
        if (!win32::startProcess(options, started)) return Variant(com::False);
        bool ended = false;
        for (const auto deadline = Clock::now() + startBudget; Clock::now() < deadline;) {
            server_ = InstanceLock::readyHolder(state_.folder());
            if (server_) return Variant(com::True);
            // Ours may end at once because another host started the printer
            // just before; then that one's readiness counts.
            if (!ended)
                ended = win32::ChildReaper::instance().wait(started.pid, std::chrono::milliseconds(0)).has_value();
            if (ended && !InstanceLock::holder(state_.folder())) return Variant(com::False);
            std::this_thread::sleep_for(pollInterval);
        }
        return Variant(com::False);
    });
}

void PdfCreatorObject::requireServer() const {
    if (!server_) return;
    const auto holder = guarded(readFailure, [&] { return InstanceLock::holder(state_.folder()); });
    if (holder != server_) throw com::Error(com::errors::ServerUnavailable, "Der RPC-Server ist nicht verfügbar.");
}

Variant PdfCreatorObject::close() {
    guarded(writeFailure, [&] {
        const auto pid = InstanceLock::holder(state_.folder());
        if (!pid) return;
        // Asked again while it runs: a printer still starting up clears
        // requests left over from earlier processes and may take ours for one.
        for (const auto deadline = Clock::now() + closeBudget; Clock::now() < deadline;) {
            if (InstanceLock::holder(state_.folder()) != pid) {
                // The printer clears its request before it lets go of its
                // lock; one asked again in between stays behind.
                if (state_.stopRequested(*pid)) state_.clearStopRequest();
                return;
            }
            if (!state_.stopRequested(*pid)) state_.requestStop(*pid);
            std::this_thread::sleep_for(pollInterval);
        }
        // A printer that does not end in time is left to end later; the host
        // has its files already, and failing here would only hide that.
    });
    return Variant();
}

}  // namespace pdfprinter
