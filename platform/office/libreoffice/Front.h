#pragma once
// The extension as the office loads it. At the office's start (or at the
// first press, when that comes first) it asks whether the system has what
// the hosts need, loads the hosts' library from its own folder and starts
// them. What keeps the user from printing (a package to install, a library
// that does not load, a user's part that cannot be set up) is told at the
// first press of the button, in one message box of the office's own toolkit,
// and nothing else happens for that press; when no host runs to show the
// add-in's button, a stand-in item carries the message (StandInButton.h).
// A headless office gets none of this. One per office process, used on its
// main thread only.
#include <com/sun/star/awt/XWindow.hpp>
#include <com/sun/star/frame/XFrame.hpp>
#include <com/sun/star/uno/XComponentContext.hpp>
#include <optional>
#include <string>

#include "platform/office/libreoffice/HostsLibrary.h"

namespace office::libreoffice {

class Front {
public:
    static Front& instance();

    // Once per process; later calls do nothing.
    void start(const com::sun::star::uno::Reference<com::sun::star::uno::XComponentContext>& context);
    // The user pressed the item with `command` in the window `frame`.
    void click(const com::sun::star::uno::Reference<com::sun::star::uno::XComponentContext>& context,
               const com::sun::star::uno::Reference<com::sun::star::frame::XFrame>& frame, const std::string& command);
    // The options page `page` calls its handler's `method` (HostsEntry.h,
    // KalmoraHostsOptions). While no host runs the page shows what keeps them
    // from starting. Whether the method was handled.
    bool options(const com::sun::star::uno::Reference<com::sun::star::uno::XComponentContext>& context,
                 const com::sun::star::uno::Reference<com::sun::star::awt::XWindow>& page, const std::string& method,
                 const std::string& event);

private:
    Front() = default;

    bool started_ = false;
    std::optional<HostsLibrary> hosts_;
    bool hostsRunning_ = false;
    std::optional<std::string> problem_;  // for the user, at the first press
    bool told_ = false;
};

}  // namespace office::libreoffice
