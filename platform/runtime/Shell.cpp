#include "platform/com/Error.h"
#include "platform/runtime/Interaction.h"
#include "platform/win32/Process.h"

namespace runtime {

int Shell(const std::string& commandLine, int windowStyle) {
    // The runtime's styles: 0 hidden; 1, 2, 3, 4 and 6 show the window in
    // some way. The stand-in's programs only know hidden or shown.
    switch (windowStyle) {
        case 0:
        case 1:
        case 2:
        case 3:
        case 4:
        case 6: break;
        default: throw com::Error::fromNumber(com::errors::InvalidProcedureCall);
    }
    win32::StartOptions options;
    options.commandLine = commandLine;
    options.showWindow = windowStyle == vbHide ? win32::SW_HIDE : win32::SW_SHOWNORMAL;
    win32::StartedProcess started;
    if (!win32::startProcess(options, started)) throw com::Error::fromNumber(com::errors::FileNotFound);
    return started.pid;
}

}  // namespace runtime
