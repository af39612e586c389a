#pragma once
// The runtime's printer object: the current default printer of the system.
#include <string>

namespace runtime {

// The name of the user's default printer; raises error 482 ("Druckerfehler")
// as com::Error when no printer is the default.
std::string DefaultPrinterName();

}  // namespace runtime
