// Captions too wide for their control in the desktop's font are drawn smaller,
// never below 6 points, so that the user sees them whole.
#include "platform/runtime/qt/CaptionFit.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QFontMetrics>
#include <QLabel>
#include <QPushButton>
#include <memory>

namespace {

enum class Kind { Button, Label, CheckBox };
enum class Fit { Kept, Shrunk, Smallest };

std::unique_ptr<QWidget> widgetWith(Kind kind, const QString& caption) {
    switch (kind) {
        case Kind::Button: return std::make_unique<QPushButton>(caption);
        case Kind::CheckBox: return std::make_unique<QCheckBox>(caption);
        case Kind::Label: break;
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
        case Kind::Label: break;
    }
    const QRect used = metrics.boundingRect(QRect(0, 0, widget.width(), 1000),
                                            Qt::TextWordWrap, caption);
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
        {"Programm Version: 1.1.8 vom 1. Januar", Kind::Label, {200, 18}, Fit::Shrunk},
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

}  // namespace
