#pragma once
// The hosts' library as the extension's front loads it: from the folder of
// the front's own library, every symbol bound at once, so that a library it
// needs and the system lacks shows here and not in the middle of a click.
// It stays loaded until the office ends: the office's broadcasters call the
// hosts until then.
#include "platform/office/libreoffice/HostsEntry.h"

namespace office::libreoffice {

struct HostsLibrary {
    KalmoraHostsStart start = nullptr;
    KalmoraHostsClick click = nullptr;
    KalmoraHostsOptions options = nullptr;

    // Throws std::runtime_error with the library's path and the loader's
    // cause when it cannot be loaded or lacks an entry.
    static HostsLibrary load();
};

}  // namespace office::libreoffice
