#pragma once
// Shows a host's "Standard" bar in the office's windows. Each control that an
// add-in or the user added to the bar (the host's own controls are the
// office's own buttons) becomes an item with its caption, tooltip, face and
// style; a hidden control shows no item. An item's command
// (vnd.kalmora:Standard/<n>, ToolbarCommand.h) names the n-th control on the
// bar: the office dispatches it to the click handler when it is pressed.
//
// Where the items show depends on the user interface the user chose (View ▸
// User Interface): on each window's Standard toolbar, or the one toolbar of
// "Single Toolbar". The tabbed interfaces ("Tabbed", "Tabbed Compact") have
// no such toolbar: there the items are entries of the menu behind the ≡
// button right of the tabs, which the office keeps per module for all its
// windows. Where neither shows ("Groupedbar Compact", "Contextual Single"),
// the extension's fixed entries (package/Addons.xcu) name the button by its
// caption.
//
// Nothing goes into the office's stored settings: the toolbar items live in
// the window's toolbar only; the menu entries and the faces in the module's
// configuration in memory, which the office stores only when the user
// customises it, until they are dropped.
#include <array>
#include <com/sun/star/frame/XFrame.hpp>
#include <com/sun/star/uno/XComponentContext.hpp>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/office/bars/HostCommandBar.h"
#include "platform/office/libreoffice/HostsEntry.h"

namespace office::libreoffice {

// The toolbars of a window that show the host's bar, as the layout manager
// names them.
inline constexpr std::array<std::string_view, 2> kHostToolbars = {"private:resource/toolbar/standardbar",
                                                                  "private:resource/toolbar/singlemode"};

class ToolbarItems {
public:
    // `module` is the office's module of the host's windows, e.g.
    // "com.sun.star.text.TextDocument".
    ToolbarItems(const com::sun::star::uno::Reference<com::sun::star::uno::XComponentContext>& context,
                 std::string module);

    // Puts the faces of the bar's controls into the module's image list,
    // where the items of every place find them. Throws
    // com::sun::star::uno::Exception when the office refuses, as the others.
    void showFaces(const HostCommandBar& bar);
    // Replaces this host's items on the frame's toolbars (kHostToolbars) by
    // the bar's controls as they are now.
    void show(const HostCommandBar& bar, const com::sun::star::uno::Reference<com::sun::star::frame::XFrame>& frame);
    // Replaces this host's entries in the module's menu of the tabbed
    // interfaces by the bar's controls, when they changed since the last
    // call.
    void showTabbedMenu(const HostCommandBar& bar);
    // Takes the faces put into the module's image list out again.
    void dropFaces();

private:
    com::sun::star::uno::Reference<com::sun::star::uno::XComponentContext> context_;
    std::string module_;
    std::vector<std::string> faces_;  // commands whose face is in the image list
    // What the menu shows of the host's bar: command and control; unknown
    // before the first call, which also takes out entries that a
    // customisation of the menu stored during an earlier run.
    std::optional<std::vector<std::pair<std::string, BarControl::Properties>>> tabbedMenu_;
};

}  // namespace office::libreoffice
