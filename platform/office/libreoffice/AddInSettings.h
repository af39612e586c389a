#pragma once
// The settings of the add-in registered for Word or Excel, as its page in
// the office's options reaches them: through the exports of the add-in's
// library (platform/office/addins/SettingsPage.h), loaded by the path that
// the registry names, as a host loads it. The add-in reads, checks and
// writes; this only asks.
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "platform/com/ServerLibrary.h"
#include "platform/office/addins/SettingsPage.h"

namespace office::libreoffice {

class AddInSettings {
public:
    // The first add-in of Word's list, then of Excel's, whose library has a
    // settings page. Throws std::runtime_error, its text for the user, when
    // none has.
    static AddInSettings find();

    std::string file() const;
    struct Value {
        std::string text;
        std::string source;  // the file it comes from
    };
    Value value(const std::string& key) const;
    std::string refusal(const std::string& key, const std::string& value) const;
    std::string store(const std::vector<std::pair<std::string, std::string>>& entries) const;
    std::string answer(const std::string& host) const;
    std::string forget(const std::string& host) const;

private:
    explicit AddInSettings(std::unique_ptr<com::ServerLibrary> library);

    std::unique_ptr<com::ServerLibrary> library_;
    SettingsPageFileFn file_ = nullptr;
    SettingsPageValueFn value_ = nullptr;
    SettingsPageRefusalFn refusal_ = nullptr;
    SettingsPageStoreFn store_ = nullptr;
    SettingsPageAnswerFn answer_ = nullptr;
    SettingsPageForgetFn forget_ = nullptr;
};

}  // namespace office::libreoffice
