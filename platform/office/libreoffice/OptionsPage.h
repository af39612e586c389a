#pragma once
// The add-in's page in the office's Tools ▸ Options ▸ pdf-Kalmora
// (package/dialogs/Einstellungen.xdl): the first-page and following-pages
// letterheads, the output folders of Word and Excel and the company code,
// with the values in force (the user's, else the administrator's); the
// answers that Word and Excel remember for an existing result, each with a
// button that forgets it; and where the settings file lies. Files and
// folders are chosen with the office's own pickers. What the add-in would
// refuse at the press is named on the page and never stored; the rest is
// written into the user's settings file by the add-in at OK, and the next
// press reads it.
#include <com/sun/star/awt/XWindow.hpp>
#include <com/sun/star/uno/XComponentContext.hpp>
#include <string>

namespace office::libreoffice {

// Handles `method` of the page `page` (HostsEntry.h, KalmoraHostsOptions);
// false for a method it does not know.
bool handleOptionsPage(const com::sun::star::uno::Reference<com::sun::star::uno::XComponentContext>& context,
                       const com::sun::star::uno::Reference<com::sun::star::awt::XWindow>& page,
                       const std::string& method, const std::string& event);

}  // namespace office::libreoffice
