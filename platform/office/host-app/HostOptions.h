#pragma once
// The command line of the host program, which plays Word or Excel.
#include <optional>
#include <string>
#include <vector>

namespace office {

enum class UiKind { Automatic, Qt, Terminal, Script };
enum class DocumentSource { None, File, New };

struct HostOptions {
    std::string application = "Microsoft Word";    // --app word|excel|NAME
    bool excel = false;                            // the Excel host (else Word's members)
    DocumentSource source = DocumentSource::None;  // --open, --new
    std::string document;                          // --open PATH
    bool modified = false;                         // --modified: changed since stored (a new one: ever)
    std::string sheet;                             // --sheet NAME; none: the sheet the workbook shows
    std::vector<std::string> addIns;               // --load PROGID, in order
    int clicks = 0;                                // --click, repeatable
    std::string unload;                            // --unload PROGID
    bool crash = false;                            // --crash
    bool dumpBars = false;                         // --dump-bars
    UiKind ui = UiKind::Automatic;                 // --ui qt|terminal|script:FILE
    std::string script;                            // the answer file of --ui script:FILE
    std::string usage;                             // --usage FILE: a line per click
};

// The options, or the German reason why the command line is not understood.
struct ParsedOptions {
    std::optional<HostOptions> options;
    std::string error;
};
ParsedOptions parseHostOptions(const std::vector<std::string>& arguments);

inline constexpr const char* HostUsage =
    "Aufruf: host-app [--app word|excel|NAME] [--open DATEI] [--modified | --new] [--sheet NAME]\n"
    "                 [--load PROGID]... [--click]... [--unload PROGID] [--crash] [--dump-bars]\n"
    "                 [--ui qt|terminal|script:DATEI] [--usage DATEI]\n";

}  // namespace office
