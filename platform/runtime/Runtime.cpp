#include "platform/runtime/Runtime.h"

#include <dlfcn.h>

#include <filesystem>
#include <stdexcept>
#include <system_error>

#include "platform/win32/Shell.h"

namespace runtime {

namespace {

std::shared_ptr<Backend>& installed() {
    static std::shared_ptr<Backend> backend;
    return backend;
}

}  // namespace

void setBackend(std::shared_ptr<Backend> backend) {
    // Files that the add-in opens go to the backend's viewer. A weak link, so
    // that the handler never keeps a backend alive that was replaced.
    if (backend) {
        std::weak_ptr<Backend> weak = backend;
        win32::setOpenHandler([weak](const std::string& path) {
            const auto current = weak.lock();
            return current && current->openDocument(path);
        });
    } else {
        win32::setOpenHandler(nullptr);
    }
    installed() = std::move(backend);
}

Backend& backend() {
    if (!installed()) throw std::logic_error("no runtime backend installed");
    return *installed();
}

App& app() {
    static App project;
    return project;
}

std::string moduleFolder(const void* address) {
    Dl_info info{};
    if (dladdr(address, &info) == 0 || info.dli_fname == nullptr) return {};
    std::string file = info.dli_fname;
    const auto slash = file.rfind('/');
    if (slash == std::string::npos) return {};
    return file.substr(0, slash);
}

std::string resolvedModuleFolder(const void* address) {
    Dl_info info{};
    if (dladdr(address, &info) == 0 || info.dli_fname == nullptr || *info.dli_fname == '\0') return {};
    std::error_code error;
    const std::filesystem::path file = std::filesystem::canonical(info.dli_fname, error);
    if (error) return {};
    return file.parent_path().string();
}

}  // namespace runtime
