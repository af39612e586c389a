#pragma once
// A stand-in for the letterhead choice window, laid out like it, for renders:
// the list of three layouts, the address block, the icon, the version line and
// the picture.
#include "platform/runtime/Form.h"

namespace runtime::render {

class SampleChoiceWindow final : public Form {
public:
    SampleChoiceWindow(Picture icon, Picture image);

    FormRole role() const override { return FormRole::Choice; }
    std::string outcome() const override { return {}; }
    bool keyPreview() const override { return true; }

protected:
    std::vector<Control> design() const override;
    void onLoad() override;

private:
    Picture icon_;
    Picture image_;
};

}  // namespace runtime::render
