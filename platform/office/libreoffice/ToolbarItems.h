#pragma once
// Shows a host's "Standard" bar in the office's windows. Each control that an
// add-in or the user added to the bar (the host's own controls are the
// office's own buttons) becomes an item on the Standard toolbar of a window,
// with its caption, tooltip, face and style; a hidden control shows no item.
// An item's command (vnd.kalmora:Standard/<n>) names the n-th control on the
// bar: the office dispatches it to the click handler when it is pressed.
// Nothing goes into the office's stored toolbar settings: the items live in
// the window's toolbar only, the faces in the module's image list only until
// they are dropped.
#include <com/sun/star/frame/XFrame.hpp>
#include <com/sun/star/uno/XComponentContext.hpp>
#include <optional>
#include <string>
#include <vector>

#include "platform/office/bars/HostCommandBar.h"
#include "platform/office/libreoffice/HostsEntry.h"

namespace office::libreoffice {

// The bar and the position of the control that a command names; none for
// another command.
struct ControlCommand {
    std::string bar;
    int position = 0;  // 1-based, as Controls.Item counts
};
std::optional<ControlCommand> parseCommand(const std::string& command);

class ToolbarItems {
public:
    // `module` is the office's module of the host's windows, e.g.
    // "com.sun.star.text.TextDocument".
    ToolbarItems(const com::sun::star::uno::Reference<com::sun::star::uno::XComponentContext>& context,
                 std::string module);

    // Replaces this host's items on the frame's Standard toolbar by the
    // bar's controls as they are now, and their faces in the module's image
    // list. Throws com::sun::star::uno::Exception when the office refuses.
    void show(const HostCommandBar& bar, const com::sun::star::uno::Reference<com::sun::star::frame::XFrame>& frame);
    // Takes the faces put into the module's image list out again.
    void dropFaces();

private:
    void showFaces(const HostCommandBar& bar);

    com::sun::star::uno::Reference<com::sun::star::uno::XComponentContext> context_;
    std::string module_;
    std::vector<std::string> faces_;  // commands whose face is in the image list
};

}  // namespace office::libreoffice
