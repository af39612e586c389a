#pragma once
// The question what to do with an output file that exists already:
// overwrite it, store the new PDF under a numbered name, or stop. The answer
// reaches the export command through the shared answer flags; the check box
// makes it the standard for this host, stored in the settings file.
#include <optional>
#include <string>

#include "platform/runtime/Form.h"

class frmDialog final : public runtime::Form {
public:
    frmDialog();

    runtime::FormRole role() const override { return runtime::FormRole::Question; }
    // "overwrite", "rename", "cancel" or "close", then " remember" when the
    // box was ticked.
    std::string outcome() const override;
    runtime::Picture icon() const override;
    // Why the ticked answer could not be stored as the standard (German);
    // none when it was stored or the box was not ticked.
    const std::optional<std::string>& unstoredStandard() const { return unstoredStandard_; }

protected:
    std::vector<runtime::Control> design() const override;
    void onLoad() override;
    void onActivate() override;
    void onClick(std::string_view control) override;
    void onUnload(runtime::UnloadReason reason) override;

private:
    std::string answer_ = "close";
    std::optional<std::string> unstoredStandard_;
};
