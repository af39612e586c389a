#pragma once
// The letterhead choice window. The button's icon is its picture, so the
// library keeps one shared instance of it.
#include <string>
#include <vector>

#include "platform/runtime/Form.h"
#include "src/printing/Layout.h"

class frmMenue final : public runtime::Form {
public:
    // The shared instance, created on first use.
    static frmMenue& instance();
    // Drops the shared instance, as unloading the library does.
    static void releaseInstance();

    frmMenue();

    // The chosen letterhead layout; None when the window closed without a choice.
    Layout AuswahlIndex = Layout::None;

    runtime::FormRole role() const override { return runtime::FormRole::Choice; }
    bool keyPreview() const override { return true; }
    std::string outcome() const override { return std::to_string(static_cast<int>(AuswahlIndex)); }

protected:
    std::vector<runtime::Control> design() const override;
    void onLoad() override;
    void onDoubleClick(std::string_view control) override;
    void onKeyPress(int& keyAscii) override;

private:
    // The choice: the highlighted entry becomes the letterhead mode.
    void choose();
};
