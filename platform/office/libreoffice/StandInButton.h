#pragma once
// The item "pdf-Kalmora" on the Standard toolbar of every Writer and Calc
// window, for when no host can show the add-in's button: pressing it
// dispatches kStandInCommand, and the front tells the user why nothing more
// happens. Like the hosts' items it lives in the windows' toolbars only and
// never reaches the office's stored toolbar settings.
#include <com/sun/star/uno/XComponentContext.hpp>

namespace office::libreoffice {

// Of the items' protocol (HostsEntry.h), but no control of a bar.
inline constexpr const char* kStandInCommand = "vnd.kalmora:Einrichtung";

// Shows the item on the windows open now and on each that opens later,
// until the office ends.
void showStandInButton(const com::sun::star::uno::Reference<com::sun::star::uno::XComponentContext>& context);

}  // namespace office::libreoffice
