#pragma once
// A message box as the runtime asks for it: German button captions, the icon
// and buttons of the style value, and the answer as the runtime counts it.
#include <QMessageBox>

#include "platform/runtime/Backend.h"

class QPushButton;

namespace runtime::qt {

class MessageBoxView {
public:
    // The box for a request: its title and text as given (CR LF and LF both
    // break lines, leading blanks stay), "OK" or "OK" and "Abbrechen" by the
    // button value, the icon by the icon value. Not shown yet.
    explicit MessageBoxView(const MessageBoxRequest& request);

    QMessageBox& box() noexcept { return box_; }

    // The button that closed the box: 1 OK, 2 Cancel. Escape and the close
    // box count as Cancel when there is one, else as OK.
    int answer() const;

private:
    QMessageBox box_;
    QPushButton* ok_;
    QPushButton* cancel_ = nullptr;
};

}  // namespace runtime::qt
