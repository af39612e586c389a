#include "platform/office/host-app/HostWindow.h"

#include <QAction>
#include <QIcon>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QTimer>
#include <QToolBar>

#include <stdexcept>

#include "platform/office/bars/HostCommandBars.h"

namespace office {

HostWindow::HostWindow(Application& host, const QString& documentText) : host_(host) {
    setWindowTitle(QString::fromStdString(host.object().value().toString()));
    bar_ = addToolBar(QStringLiteral("Standard"));
    bar_->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    auto* text = new QPlainTextEdit(documentText, this);
    text->setReadOnly(true);
    setCentralWidget(text);
    resize(800, 600);
    refreshBar();
}

void HostWindow::refreshBar() {
    bar_->clear();
    HostCommandBars& bars = host_.commandBars();
    const HostCommandBar* standard = nullptr;
    try {
        standard = &bars.bar("Standard");
    } catch (const std::out_of_range&) {
        return;  // a host without the bar shows none
    }
    for (const auto& control : standard->controls()) {
        if (control->deleted() || !control->properties().visible) continue;
        const auto& properties = control->properties();
        QPixmap face;
        if (!properties.face.empty())
            face.loadFromData(properties.face.data.data(), static_cast<uint>(properties.face.data.size()));
        QAction* action = bar_->addAction(QIcon(face), QString::fromStdString(properties.caption));
        const std::string caption = properties.caption;
        connect(action, &QAction::triggered, this, [this, caption] {
            host_.commandBars().click("Standard", caption);
            // Not while the clicked action is still being delivered.
            QTimer::singleShot(0, this, [this] { refreshBar(); });
        });
    }
}

}  // namespace office
