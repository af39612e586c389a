#pragma once
// The letterhead PDFs named in the settings file.
#include <string>

#include "src/export/Decision.h"
#include "src/printing/Layout.h"

namespace Letterheads {

// Both letterheads are named by full paths, exist and pdftk can read them;
// otherwise End, after a message naming the file (and why it cannot be used).
Decision check();

// Why pdftk cannot read the letterhead `path`, for the user; empty when it can.
std::string whyUnreadable(const std::string& path);
// The message that names the letterhead `path` and why pdftk cannot read
// it; empty when it can.
std::string refusal(const std::string& path);

// The letterhead under the first (or only) printed file: the first-page one,
// unless every page goes on the following-pages letterhead, with "~/" as the
// user's home folder (INI_Datei::ReadIniPath). Read at the moment of use, as
// the user may change the settings during a run.
std::string first(Layout layout);
// The letterhead under the following pages.
std::string following();

}  // namespace Letterheads
