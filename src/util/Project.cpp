#include "src/util/Project.h"

#include "platform/runtime/Runtime.h"

namespace Project {

namespace {
// Any object of this library tells the runtime which module to look at.
const char anchor = 0;
}  // namespace

void start() {
    runtime::App& app = runtime::app();
    app.title = Title;
    app.major = KALMORA_VERSION_MAJOR;
    app.minor = KALMORA_VERSION_MINOR;
    app.revision = KALMORA_VERSION_REVISION;
    if (app.path.empty()) app.path = runtime::moduleFolder(&anchor);
}

std::string ownFileFolder() {
    if (runtime::app().path != runtime::moduleFolder(&anchor)) return {};
    return runtime::resolvedModuleFolder(&anchor);
}

}  // namespace Project
