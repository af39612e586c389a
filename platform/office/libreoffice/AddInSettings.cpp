#include "platform/office/libreoffice/AddInSettings.h"

#include <stdexcept>

#include "platform/com/Registry.h"
#include "platform/office/addins/AddInList.h"

namespace office::libreoffice {

namespace {

template <typename Function>
Function entry(const com::ServerLibrary& library, const char* name) {
    // POSIX guarantees that dlsym's object pointer converts to a function pointer.
    const auto function = reinterpret_cast<Function>(library.symbol(name));
    if (function == nullptr) throw com::ServerLibraryError(library.path(), std::string("hat keine Funktion ") + name);
    return function;
}

}  // namespace

AddInSettings::AddInSettings(std::unique_ptr<com::ServerLibrary> library)
    : library_(std::move(library)),
      file_(entry<SettingsPageFileFn>(*library_, settings_page::kFile)),
      value_(entry<SettingsPageValueFn>(*library_, settings_page::kValue)),
      refusal_(entry<SettingsPageRefusalFn>(*library_, settings_page::kRefusal)),
      store_(entry<SettingsPageStoreFn>(*library_, settings_page::kStore)),
      answer_(entry<SettingsPageAnswerFn>(*library_, settings_page::kAnswer)),
      forget_(entry<SettingsPageForgetFn>(*library_, settings_page::kForget)) {}

AddInSettings AddInSettings::find() {
    std::string why = "Für Word und Excel ist kein Add-In mit Einstellungen eingerichtet.";
    for (const char* host : {"Word", "Excel"}) {
        for (const std::string& progId : registeredAddIns(host)) {
            const auto registered = com::registry::findProgId(progId);
            if (!registered || registered->inprocServer.empty()) continue;
            try {
                auto library = std::make_unique<com::ServerLibrary>(registered->inprocServer);
                if (library->symbol(settings_page::kFile) == nullptr) continue;
                return AddInSettings(std::move(library));
            } catch (const com::ServerLibraryError& error) {
                why = "Das Add-In " + progId + " lässt sich nicht laden:\n" + error.what();
            }
        }
    }
    throw std::runtime_error(why);
}

std::string AddInSettings::file() const {
    return file_();
}

AddInSettings::Value AddInSettings::value(const std::string& key) const {
    const char* source = nullptr;
    std::string text = value_(key.c_str(), &source);
    return {std::move(text), source};
}

std::string AddInSettings::refusal(const std::string& key, const std::string& value) const {
    return refusal_(key.c_str(), value.c_str());
}

std::string AddInSettings::store(const std::vector<std::pair<std::string, std::string>>& entries) const {
    std::vector<const char*> keys;
    std::vector<const char*> values;
    for (const auto& [key, value] : entries) {
        keys.push_back(key.c_str());
        values.push_back(value.c_str());
    }
    return store_(keys.data(), values.data(), static_cast<int>(entries.size()));
}

std::string AddInSettings::answer(const std::string& host) const {
    return answer_(host.c_str());
}

std::string AddInSettings::forget(const std::string& host) const {
    return forget_(host.c_str());
}

}  // namespace office::libreoffice
