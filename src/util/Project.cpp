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
    app.major = Major;
    app.minor = Minor;
    app.revision = Revision;
    if (app.path.empty()) app.path = runtime::moduleFolder(&anchor);
}

std::string ownFileFolder() {
    if (runtime::app().path != runtime::moduleFolder(&anchor)) return {};
    return runtime::resolvedModuleFolder(&anchor);
}

}  // namespace Project
