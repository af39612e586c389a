// The four exports of the add-in library, its version record, and what a
// host's settings page asks of it. No exception leaves them: each answers
// with a status or a text.
#include <string>
#include <type_traits>
#include <vector>

#include "platform/com/ClassFactory.h"
#include "platform/com/Registry.h"
#include "platform/office/addins/SettingsPage.h"
#include "src/addin/Connect.h"
#include "src/addin/SettingsPage.h"
#include "src/util/Failures.h"
#include "src/util/Project.h"

#define KALMORA_EXPORT extern "C" __attribute__((visibility("default")))

namespace {

const com::ServerClass classes[] = {
    {Identity::CLSID_Connect, Identity::ProgID,
     [] { return com::Ref<com::IDispatch>::adopt(static_cast<office::IDTExtensibility2*>(new Connect())); }}};

// A text for the settings page, kept in `slot` until the function that owns
// it is called again; what fails inside becomes the page's text.
template <typename Step>
const char* pageText(std::string& slot, Step&& step) noexcept {
    try {
        slot = step();
    } catch (const std::exception& error) {
        slot.clear();
        ignoreFailure([&] { slot = std::string("pdf-Kalmora: ") + error.what(); });
    } catch (...) {
        slot.clear();
    }
    return slot.c_str();
}

}  // namespace

KALMORA_EXPORT com::HRESULT DllGetClassObject(const com::Guid* clsid, const com::Guid* iid, void** out) {
    ignoreFailure([] { Project::start(); });
    return Module().getClassObject(classes, clsid, iid, out);
}

KALMORA_EXPORT com::HRESULT DllCanUnloadNow() {
    return Module().canUnloadNow();
}

KALMORA_EXPORT com::HRESULT DllRegisterServer() {
    const com::HRESULT registered = Module().registerServer(classes);
    if (!com::succeeded(registered)) return registered;
    return firewall([] {
        com::registry::registerTypeLib(
            {Identity::LIBID, Identity::TypeLibName, Identity::TypeLibVersion, 0, Module().libraryPath()});
        com::registry::registerInterface({Identity::IID__Connect, "_Connect", Identity::LIBID});
        return com::S_OK;
    });
}

KALMORA_EXPORT com::HRESULT DllUnregisterServer() {
    return firewall([] {
        com::registry::unregisterInterface(Identity::IID__Connect);
        com::registry::unregisterTypeLib(Identity::LIBID);
        return Module().unregisterServer(classes);
    });
}

KALMORA_EXPORT const char* DllVersionInfo() {
    // Language German, code page Unicode; a self-registering library. The
    // version is the project's, in the record's own writing.
    return "Language=0407\n"
           "CodePage=1200\n"
           "FileDescription=Office Add In\n"
           "ProductName=PDF_Kalmora\n"
           "FileVersion=" KALMORA_VERSION_RECORD
           "\n"
           "ProductVersion=" KALMORA_VERSION_RECORD
           "\n"
           "FileVersionNumber=" KALMORA_VERSION_NUMBER
           "\n"
           "ProductVersionNumber=" KALMORA_VERSION_NUMBER
           "\n"
           "OLESelfRegister=\n"
           "FileType=dynamic-link library\n";
}

KALMORA_EXPORT const char* SettingsPageFile() {
    static std::string file;
    return pageText(file, [] { return SettingsPage::file(); });
}

KALMORA_EXPORT const char* SettingsPageValue(const char* key, const char** source) {
    static std::string text;
    static std::string from;
    from.clear();
    const char* value = pageText(text, [&] {
        SettingsPage::Value read = SettingsPage::value(key);
        from = std::move(read.source);
        return std::move(read.text);
    });
    *source = from.c_str();
    return value;
}

KALMORA_EXPORT const char* SettingsPageRefusal(const char* key, const char* value) {
    static std::string why;
    return pageText(why, [&] { return SettingsPage::refusal(key, value); });
}

KALMORA_EXPORT const char* SettingsPageStore(const char* const* keys, const char* const* values, int count) {
    static std::string why;
    return pageText(why, [&] {
        std::vector<win32::ProfileEntry> entries;
        entries.reserve(static_cast<std::size_t>(count > 0 ? count : 0));
        for (int i = 0; i < count; ++i) entries.push_back({keys[i], values[i]});
        return SettingsPage::store(entries);
    });
}

KALMORA_EXPORT const char* SettingsPageAnswer(const char* host) {
    static std::string answer;
    return pageText(answer, [&] { return SettingsPage::rememberedAnswer(host); });
}

KALMORA_EXPORT const char* SettingsPageForget(const char* host) {
    static std::string why;
    return pageText(why, [&] { return SettingsPage::forgetAnswer(host); });
}

// The exports are the page's functions, of their types.
static_assert(std::is_same_v<decltype(&SettingsPageFile), SettingsPageFileFn>);
static_assert(std::is_same_v<decltype(&SettingsPageValue), SettingsPageValueFn>);
static_assert(std::is_same_v<decltype(&SettingsPageRefusal), SettingsPageRefusalFn>);
static_assert(std::is_same_v<decltype(&SettingsPageStore), SettingsPageStoreFn>);
static_assert(std::is_same_v<decltype(&SettingsPageAnswer), SettingsPageAnswerFn>);
static_assert(std::is_same_v<decltype(&SettingsPageForget), SettingsPageForgetFn>);
