#pragma once
// The host's main window for a person: the "Standard" bar with its buttons
// (face and caption) above the document. A click on a button is a click on
// the bar's control; closing the window ends the host.
#include <QMainWindow>

#include "platform/office/model/Application.h"

class QToolBar;

namespace office {

class HostWindow final : public QMainWindow {
public:
    HostWindow(Application& host, const QString& documentText);

private:
    // The bar's controls may change with every click (an add-in may delete one).
    void refreshBar();

    Application& host_;
    QToolBar* bar_;
};

}  // namespace office
