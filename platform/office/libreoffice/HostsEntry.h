#pragma once
// The C interface between the extension's front (the component library that
// the office loads, which links the office's libraries only) and the hosts'
// library beside it, which the front loads once the system has what it
// needs. Both sides run on the office's main thread; no exception crosses.
namespace com::sun::star {
namespace uno {
class XComponentContext;
}
namespace awt {
class XWindow;
}
namespace frame {
class XFrame;
}
}  // namespace com::sun::star

extern "C" {

// Sets up the user's part of the installation (the folder two above the
// hosts' library) and starts the hosts. `problem` receives null when all is
// well, else the message for the user (UTF-8, valid while the library is
// loaded). Returns 1 when the hosts run, 0 when they cannot start.
using KalmoraHostsStart = int (*)(com::sun::star::uno::XComponentContext* context, const char** problem);

// The user pressed the item with `command` (UTF-8) in the window `frame`.
using KalmoraHostsClick = void (*)(com::sun::star::frame::XFrame* frame, const char* command);

// The options page `page` (package/dialogs/Einstellungen.xdl) calls its
// handler's `method`, one of kOptionsMethods; `event` is the options
// dialog's "initialize", "ok" or "back" for "external_event", else empty.
// Returns 1 when the method was handled.
using KalmoraHostsOptions = int (*)(com::sun::star::uno::XComponentContext* context, com::sun::star::awt::XWindow* page,
                                    const char* method, const char* event);
}

namespace office::libreoffice {

// The protocol of the commands that the toolbar items dispatch
// (ProtocolHandler.xcu); the front hands each to the hosts.
inline constexpr const char* kCommandPrefix = "vnd.kalmora:";

inline constexpr const char* kHostsStart = "kalmora_hosts_start";
inline constexpr const char* kHostsClick = "kalmora_hosts_click";
inline constexpr const char* kHostsOptions = "kalmora_hosts_options";

// The methods of the options page's handler: the options dialog's own, and
// those that the page's controls name in their events.
inline constexpr const char* kOptionsMethods[] = {"external_event",    "pruefe",           "waehleErsteSeite",
                                                  "waehleZweiteSeite", "waehleOrdnerWord", "waehleOrdnerExcel",
                                                  "vergissWord",       "vergissExcel"};

}  // namespace office::libreoffice
