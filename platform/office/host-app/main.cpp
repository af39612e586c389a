// host-app: a stand-in for Word and Excel that loads add-ins as they do.
// See HostOptions.h for its command line. The scripted record and the open
// requests go to standard output; --usage FILE gets a line per click with the
// host's descriptors, memory and child processes after it. Exit status 0; 3
// when the answer script met a window it had no answer for; 2 for a bad
// command line; 1 when the host could not do what it was asked.
#include <unistd.h>

#include <QApplication>
#include <chrono>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <memory>
#include <optional>

#include "platform/com/Activation.h"
#include "platform/com/AutomationObject.h"
#include "platform/office/addins/ConnectedAddIns.h"
#include "platform/office/bars/HostCommandBars.h"
#include "platform/office/host-app/HostOptions.h"
#include "platform/office/host-app/HostWindow.h"
#include "platform/office/host-app/OpenedDocument.h"
#include "platform/office/host-app/ProcessUsage.h"
#include "platform/office/model/ExcelApplication.h"
#include "platform/office/model/WordApplication.h"
#include "platform/runtime/Runtime.h"
#include "platform/runtime/qt/QtBackend.h"
#include "platform/runtime/script/ScriptBackend.h"
#include "platform/runtime/terminal/TerminalBackend.h"

namespace {

using namespace office;

bool hasDisplay() {
    const char* x = std::getenv("DISPLAY");
    const char* wayland = std::getenv("WAYLAND_DISPLAY");
    return (x && *x) || (wayland && *wayland);
}

UiKind chooseUi(UiKind asked) {
    if (asked != UiKind::Automatic) return asked;
    if (hasDisplay()) return UiKind::Qt;
    if (::isatty(STDIN_FILENO)) return UiKind::Terminal;
    throw std::runtime_error(
        "Weder Bildschirm noch Terminal: mit --ui script:DATEI die Antworten aus einer Datei nehmen.");
}

com::Ref<Application> makeHost(const HostOptions& o, const std::optional<OpenedDocument>& opened) {
    if (o.excel) {
        auto excel = com::AutomationObject::create<ExcelApplication>();
        if (opened) excel->open(opened->document, opened->sheet);
        return excel;
    }
    auto word = com::AutomationObject::create<WordApplication>();
    word->setName(o.application);
    if (opened) word->open(opened->document);
    return word;
}

class Host {
public:
    Host(const HostOptions& options, com::Ref<Application> app) : options_(options), app_(std::move(app)) {}

    void start() {
        try {
            app_->commandBars().loadCustomisations();
        } catch (const std::exception& error) {
            std::cerr << "host-app: gespeicherte Leisten nicht lesbar: " << error.what() << "\n";
        }
        addIns_.start(options_.addIns);
        if (options_.dumpBars) std::cout << app_->commandBars().dump() << std::flush;
    }

    // One click on the add-in's button; false when there is none to click.
    bool click() {
        try {
            const ClickOutcome outcome = app_->commandBars().click("Standard", "pdf-Kalmora");
            if (!com::succeeded(outcome.result)) std::cerr << "host-app: Der Klick endete mit einem Fehler.\n";
            return true;
        } catch (const std::exception&) {
            std::cerr << "host-app: Auf der Leiste \"Standard\" gibt es keinen Knopf \"pdf-Kalmora\".\n";
            return false;
        }
    }

    void unload(const std::string& progId) {
        if (!addIns_.disconnect(progId)) std::cerr << "host-app: " << progId << " ist nicht geladen.\n";
    }

    // The customisations are saved as they are; with a crash nothing else happens.
    void saveBars() {
        try {
            app_->commandBars().saveCustomisations();
        } catch (const std::exception& error) {
            std::cerr << "host-app: Leisten nicht gespeichert: " << error.what() << "\n";
        }
    }

    void shutDown() {
        addIns_.shutDown();
        if (options_.dumpBars) std::cout << app_->commandBars().dump() << std::flush;
        saveBars();
        addIns_.release();
        com::freeUnusedLibraries();
    }

    Application& application() { return *app_; }

private:
    const HostOptions& options_;
    com::Ref<Application> app_;
    ConnectedAddIns addIns_{*app_, [](const std::string& text) { std::cerr << "host-app: " << text << "\n"; }};
};

// A person at the terminal presses the button as often as they like.
void terminalSession(Host& host) {
    for (;;) {
        std::cout << "\n1) pdf-Kalmora drücken   x) beenden\nAuswahl: " << std::flush;
        std::string answer;
        if (!std::getline(std::cin, answer) || answer == "x" || answer == "X") return;
        if (answer == "1") host.click();
    }
}

int run(const HostOptions& options, int argc, char** argv) {
    // The document is opened first: a file the host refuses ends it before
    // anything else happens. The office that laid it out ends with the host.
    std::optional<OfficeRenderer> office;
    std::optional<OpenedDocument> opened;
    if (options.source != DocumentSource::None) opened = openDocument(options, office);

    const UiKind ui = chooseUi(options.ui);
    std::optional<QApplication> qt;
    std::shared_ptr<runtime::ScriptBackend> script;
    if (ui == UiKind::Qt) {
        qt.emplace(argc, argv);
        runtime::setBackend(std::make_shared<runtime::QtBackend>());
    } else if (ui == UiKind::Terminal) {
        runtime::setBackend(runtime::TerminalBackend::openControllingTerminal());
    } else {
        script = std::make_shared<runtime::ScriptBackend>(runtime::ScriptBackend::readScript(options.script));
        runtime::setBackend(script);
    }

    Host host(options, makeHost(options, opened));
    host.start();
    bool clicked = true;
    std::ofstream usage;
    if (!options.usage.empty()) {
        usage.open(options.usage, std::ios::trunc);
        if (!usage) throw std::runtime_error("--usage: " + options.usage + " lässt sich nicht schreiben.");
        usage << usageLine(0, currentUsage(), 0.0) << "\n" << std::flush;
    }
    for (int i = 1; i <= options.clicks; ++i) {
        const auto started = std::chrono::steady_clock::now();
        clicked = host.click() && clicked;
        const std::chrono::duration<double> took = std::chrono::steady_clock::now() - started;
        if (usage.is_open()) usage << usageLine(i, currentUsage(), took.count()) << "\n" << std::flush;
    }
    if (options.clicks == 0 && ui == UiKind::Qt) {
        HostWindow window(host.application(), QString::fromStdString(opened ? opened->shown : std::string()));
        window.show();
        qt->exec();
    } else if (options.clicks == 0 && ui == UiKind::Terminal) {
        terminalSession(host);
    }
    if (!options.unload.empty()) host.unload(options.unload);

    const auto record = [&] {
        if (script)
            for (const std::string& line : script->record()) std::cout << line << "\n";
        std::cout << std::flush;
    };
    if (options.crash) {
        host.saveBars();
        record();
        std::_Exit(script && script->metUnexpected() ? 3 : 0);
    }
    host.shutDown();
    record();
    runtime::setBackend(nullptr);
    if (script && script->metUnexpected()) return 3;
    return clicked ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
    std::vector<std::string> arguments(argv + 1, argv + argc);
    const ParsedOptions parsed = parseHostOptions(arguments);
    if (!parsed.options) {
        std::cerr << "host-app: " << parsed.error << "\n" << HostUsage;
        return 2;
    }
    try {
        return run(*parsed.options, argc, argv);
    } catch (const std::exception& error) {
        std::cerr << "host-app: " << error.what() << "\n";
        return 2;
    }
}
