#pragma once
// The toolkit windows of a form, made from its model (runtime::Form) and
// kept in step with it. The window only shows: it forwards nothing to the
// form's code (FormDialog.h does).
#include <com/sun/star/awt/XWindowPeer.hpp>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/runtime/Form.h"
#include "platform/runtime/awt/WindowMaker.h"

namespace runtime::awt {

class FormWindow {
public:
    struct Shown {
        std::string name;
        ControlKind kind;
        css::uno::Reference<css::awt::XWindowPeer> peer;
        PixelBox visible;      // the part of the control inside the client area
        sal_Int16 points = 0;  // the font size designed, before texts are fitted
        // What the peer shows now, as last set from the model.
        std::optional<std::string> caption{};
        std::optional<std::string> toolTip{};
        std::optional<bool> shown{};
        std::vector<std::string> items{};
    };

    // Makes the form's dialog as the model stands, modal on `parent` (none
    // when null), not shown yet: fixed client size from the twips, caption,
    // one window per control at its place from the twips, tab order by tab
    // index. The form must outlive the window; the dialog is disposed with it.
    FormWindow(const Form& form, const WindowMaker& maker, const css::uno::Reference<css::awt::XWindowPeer>& parent);
    ~FormWindow();
    FormWindow(const FormWindow&) = delete;
    FormWindow& operator=(const FormWindow&) = delete;

    const css::uno::Reference<css::awt::XWindowPeer>& dialog() const noexcept { return dialog_; }
    const std::vector<Shown>& shown() const noexcept { return shown_; }

    // Brings captions, list entries and highlight, check marks, tool tips,
    // visibility and the focus in line with the model. A caption or list
    // entry too wide for its control in the office's font (which stands in
    // for the font designed and is often wider) is drawn smaller, in whole
    // points down to 6.
    void refresh();

    // The window of a control; null when the form has no control of that name.
    css::uno::Reference<css::awt::XWindowPeer> peer(std::string_view name) const;

private:
    void build(const Control& control, const WindowMaker& maker, const class TwipScale& scale);
    void show(Shown& shown, const Control& control);
    void fitText(const Shown& shown) const;

    const Form& form_;
    css::uno::Reference<css::awt::XWindowPeer> dialog_;
    double dotsPerInch_ = 0;
    int width_ = 0;  // client area, pixels
    int height_ = 0;
    std::vector<Shown> shown_;
};

}  // namespace runtime::awt
