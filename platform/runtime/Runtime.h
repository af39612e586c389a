#pragma once
// The process-wide runtime: the backend that shows windows, and the running
// project's App data.
#include <memory>
#include <string>

#include "platform/runtime/Backend.h"

namespace runtime {

// Installs the backend; the host program does this once at start-up.
void setBackend(std::shared_ptr<Backend> backend);
// The installed backend; throws std::logic_error when there is none.
Backend& backend();

// The running project: its title (shown by a message box without a title),
// its folder and its version.
struct App {
    std::string title;
    std::string path;  // folder, without a trailing separator
    int major = 0;
    int minor = 0;
    int revision = 0;
};
App& app();

// The folder of the loaded module (library or program) that contains
// `address`; empty when it cannot be told.
std::string moduleFolder(const void* address);

// The folder of the file itself behind that module, every symbolic link on
// the way resolved: another folder than moduleFolder when the module was
// loaded through a link. Empty when it cannot be told.
std::string resolvedModuleFolder(const void* address);

}  // namespace runtime
