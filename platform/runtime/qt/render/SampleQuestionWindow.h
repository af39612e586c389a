#pragma once
// A stand-in for the existing-output-file question, laid out like it, for
// renders: three buttons, the check box and the message.
#include "platform/runtime/Form.h"

namespace runtime::render {

class SampleQuestionWindow final : public Form {
public:
    SampleQuestionWindow();

    FormRole role() const override { return FormRole::Question; }
    std::string outcome() const override { return {}; }

protected:
    std::vector<Control> design() const override;
    void onLoad() override;
};

}  // namespace runtime::render
