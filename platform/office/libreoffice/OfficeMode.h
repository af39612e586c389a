#pragma once
// How the office that loaded the extension runs.

namespace office::libreoffice {

// Whether it runs headless: started with --headless, or for a conversion,
// a print to a file or --cat, which the office carries out headless. Such an
// office shows no window, so nobody can press a button in it.
bool runsHeadless();

}  // namespace office::libreoffice
