#pragma once
// The widgets of a window, made from its model (runtime::Form) and kept in
// step with it. The view only shows: it forwards nothing to the window's code,
// so it serves both the interactive display and offscreen renders.
#include <QFont>
#include <string>
#include <string_view>
#include <vector>

#include "platform/runtime/Form.h"

class QWidget;

namespace runtime::qt {

class FormView {
public:
    // Turns `window` into the form's window as the model stands: fixed client
    // size, tool-window frame, caption, icon, centred on the screen, one
    // widget per control (named after it), tab order by tab index. The form
    // and the window must outlive the view.
    FormView(const Form& form, QWidget& window);
    FormView(const FormView&) = delete;
    FormView& operator=(const FormView&) = delete;

    // Brings captions, list entries and highlight, check marks, tooltips,
    // visibility and the focus in line with the model. A caption too wide for
    // its control in the desktop's font is drawn smaller (see CaptionFit.h).
    void refresh();

    // The widget of a control; null when the form has no control of that name.
    QWidget* widget(std::string_view name) const;
    // The name of the control shown by `widget`; empty for any other widget.
    std::string nameOf(const QWidget* widget) const;

private:
    struct Shown {
        std::string name;
        ControlKind kind;
        QWidget* widget;  // owned by the window
        QFont font;       // as designed, before captions are fitted
    };

    QWidget* build(const Control& control);
    void orderTabs();

    const Form& form_;
    QWidget& window_;
    std::vector<Shown> shown_;
};

}  // namespace runtime::qt
