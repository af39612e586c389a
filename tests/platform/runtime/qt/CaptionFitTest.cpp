// Captions too wide for their control in the desktop's font are drawn smaller,
// never below 6 points, so that the user sees them whole.
#include "platform/runtime/qt/CaptionFit.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QFontMetrics>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QStyle>
#include <memory>
#include <string>

#include "platform/runtime/qt/FormView.h"
#include "src/ui/frmDialog.h"
#include "src/ui/frmMenue.h"

namespace {

enum class Kind { Button, Label, CheckBox, List };
enum class Fit { Kept, Shrunk, Smallest };

std::unique_ptr<QWidget> widgetWith(Kind kind, const QString& caption) {
    switch (kind) {
        case Kind::Button: return std::make_unique<QPushButton>(caption);
        case Kind::CheckBox: return std::make_unique<QCheckBox>(caption);
        case Kind::Label:
        case Kind::List: break;
    }
    auto label = std::make_unique<QLabel>(caption);
    label->setWordWrap(true);
    return label;
}

// Whether the caption, in the font the widget ended with, is inside it.
bool shownWhole(QWidget& widget, Kind kind, const QString& caption) {
    const QFontMetrics metrics(widget.font());
    switch (kind) {
        case Kind::Button: return metrics.horizontalAdvance(caption) < widget.width();
        case Kind::CheckBox: return widget.sizeHint().width() <= widget.width();
        case Kind::Label:
        case Kind::List: break;
    }
    const QRect used = metrics.boundingRect(QRect(0, 0, widget.width(), 1000), Qt::TextWordWrap, caption);
    return used.width() <= widget.width() && used.height() <= widget.height();
}

TEST(QtCaptionFitTest, ACaptionTooWideForItsControlIsDrawnSmaller) {
    const struct {
        const char* caption;
        Kind kind;
        QSize size;
        Fit fit;
    } cases[] = {
        {"OK", Kind::Button, {81, 36}, Fit::Kept},
        {"Überschreiben und weiter", Kind::Button, {120, 36}, Fit::Shrunk},
        {"Überschreiben", Kind::Button, {20, 36}, Fit::Smallest},
        {"Programm Version: 1.1.8", Kind::Label, {300, 18}, Fit::Kept},
        {"Zeile eins\nZeile zwei\nZeile drei", Kind::Label, {200, 30}, Fit::Shrunk},
        {"Diese Antwort als Standard übernehmen", Kind::CheckBox, {190, 16}, Fit::Shrunk},
    };
    QFont designed = QApplication::font();
    designed.setPointSizeF(8);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.caption);
        const QString caption = QString::fromUtf8(c.caption);
        const auto widget = widgetWith(c.kind, caption);
        widget->resize(c.size);
        runtime::qt::fitCaption(*widget, designed);
        const double points = widget->font().pointSizeF();
        switch (c.fit) {
            case Fit::Kept:
                EXPECT_EQ(points, 8);
                EXPECT_TRUE(shownWhole(*widget, c.kind, caption));
                break;
            case Fit::Shrunk:
                EXPECT_LT(points, 8);
                EXPECT_GE(points, 6);
                EXPECT_TRUE(shownWhole(*widget, c.kind, caption));
                break;
            case Fit::Smallest: EXPECT_EQ(points, 6); break;
        }
    }
}

// Where the caption is drawn, in its window's coordinates: a label's lines
// wrapped and placed by its alignment, a button's caption centred, a check
// box's caption after the box on the box's line, a list's widest entry with
// the margins of its row (as the list measures it) inside the list's frame.
QRect captionInWindow(const QWidget& widget, Kind kind, const QString& caption) {
    const QFontMetrics metrics(widget.font());
    QRect used;
    switch (kind) {
        case Kind::List:
            used = QRect(widget.contentsRect().topLeft(),
                         QSize(static_cast<const QListWidget&>(widget).sizeHintForColumn(0), metrics.height()));
            break;
        case Kind::Button:
            used = QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter,
                                       QSize(metrics.horizontalAdvance(caption), metrics.height()), widget.rect());
            break;
        case Kind::CheckBox:
            used = QRect(0, (widget.height() - metrics.height()) / 2, widget.sizeHint().width(), metrics.height());
            break;
        case Kind::Label:
            used = metrics.boundingRect(
                QRect(0, 0, widget.width(), 1000),
                static_cast<int>(static_cast<const QLabel&>(widget).alignment()) | Qt::TextWordWrap, caption);
            break;
    }
    return used.translated(widget.pos());
}

// A control may reach past its window's client area (the choice window's
// version line does); the window cuts off what lies beyond, so the caption
// has to fit the part that is left.
TEST(QtCaptionFitTest, ACaptionFitsThePartOfTheControlItsWindowShows) {
    const struct {
        const char* caption;
        Kind kind;
        Qt::Alignment alignment;
        QRect geometry;  // in a window of 200 x 100 pixels
        Fit fit;
    } cases[] = {
        {"Programm Version: 1.1.8", Kind::Label, Qt::AlignLeft | Qt::AlignTop, {20, 10, 175, 18}, Fit::Kept},
        {"Programm Version: 1.1.8", Kind::Label, Qt::AlignLeft | Qt::AlignTop, {80, 10, 200, 18}, Fit::Shrunk},
        {"Programm Version: 1.1.8", Kind::Label, Qt::AlignHCenter | Qt::AlignTop, {50, 10, 180, 18}, Fit::Shrunk},
        // Cut off on the side away from the caption: nothing to make room for.
        {"Programm Version: 1.1.8", Kind::Label, Qt::AlignRight | Qt::AlignTop, {-60, 10, 200, 18}, Fit::Kept},
        {"Zeile eins\nZeile zwei\nZeile drei",
         Kind::Label,
         Qt::AlignLeft | Qt::AlignTop,
         {20, 65, 150, 60},
         Fit::Shrunk},
        {"Überschreiben", Kind::Button, {}, {115, 10, 100, 36}, Fit::Shrunk},
        {"Diese Antwort übernehmen", Kind::CheckBox, {}, {60, 70, 300, 16}, Fit::Shrunk},
    };
    QFont designed = QApplication::font();
    designed.setPointSizeF(8);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.caption + std::string(" at x ") + std::to_string(c.geometry.x()));
        QWidget window;
        window.resize(200, 100);
        const QString caption = QString::fromUtf8(c.caption);
        QWidget* widget = widgetWith(c.kind, caption).release();
        widget->setParent(&window);
        if (auto* label = qobject_cast<QLabel*>(widget)) label->setAlignment(c.alignment);
        widget->setGeometry(c.geometry);
        runtime::qt::fitCaption(*widget, designed);
        if (c.fit == Fit::Kept)
            EXPECT_EQ(widget->font().pointSizeF(), 8);
        else
            EXPECT_LT(widget->font().pointSizeF(), 8);
        const QRect used = captionInWindow(*widget, c.kind, caption);
        EXPECT_TRUE(window.rect().contains(used))
            << "drawn at " << used.x() << ", " << used.y() << ", " << used.width() << " x " << used.height();
    }
}

// The add-in's own windows as the export loads them.
TEST(QtCaptionFitTest, EveryTextOfTheAddInsWindowsFitsItsControl) {
    frmMenue& menu = frmMenue::instance();
    menu.load();
    frmDialog question;
    question.load();
    question.control("Label1").caption = "Die Ausgabedatei /home/jürgen/Angebot_Dvořák_KBS.pdf existiert bereits!";
    for (const runtime::Form* form : std::initializer_list<const runtime::Form*>{&menu, &question}) {
        QWidget window;
        const runtime::qt::FormView view(*form, window);
        for (const runtime::Control& control : form->controls()) {
            if (control.caption.empty() && control.items.empty()) continue;  // a picture
            SCOPED_TRACE(form->caption() + " " + control.name);
            const Kind kind = control.kind == runtime::ControlKind::ListBox         ? Kind::List
                              : control.kind == runtime::ControlKind::CommandButton ? Kind::Button
                              : control.kind == runtime::ControlKind::CheckBox      ? Kind::CheckBox
                                                                                    : Kind::Label;
            const QWidget& widget = *view.widget(control.name);
            const QRect used = captionInWindow(widget, kind, QString::fromStdString(control.caption));
            EXPECT_TRUE((window.rect() & widget.contentsRect().translated(widget.pos())).contains(used));
        }
    }
    frmMenue::releaseInstance();
}

}  // namespace
