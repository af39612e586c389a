#include "platform/runtime/qt/CaptionFit.h"

#include <QCheckBox>
#include <QFontMetrics>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <limits>

namespace runtime::qt {

namespace {

constexpr double SmallestPoints = 6;
constexpr double Step = 0.5;

bool fits(QWidget& widget, const QFont& font) {
    const QFontMetrics metrics(font);
    if (const auto* label = qobject_cast<QLabel*>(&widget)) {
        const QRect room(0, 0, widget.width(), std::numeric_limits<int>::max() / 2);
        const QRect used = metrics.boundingRect(room, static_cast<int>(label->alignment()) |
                                                          Qt::TextWordWrap, label->text());
        return used.width() <= widget.width() && used.height() <= widget.height();
    }
    if (const auto* button = qobject_cast<QPushButton*>(&widget)) {
        // Within the frame, with a pixel of air on either side.
        const int frame = widget.style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, &widget);
        return metrics.horizontalAdvance(button->text()) + 2 * (frame + 1) <= widget.width();
    }
    if (qobject_cast<QCheckBox*>(&widget)) {
        // The size hint is the box, the gap and the caption in the widget's font.
        widget.setFont(font);
        return widget.sizeHint().width() <= widget.width();
    }
    return true;
}

bool hasCaption(const QWidget& widget) {
    if (const auto* label = qobject_cast<const QLabel*>(&widget)) return !label->text().isEmpty();
    return qobject_cast<const QAbstractButton*>(&widget) != nullptr;
}

}  // namespace

void fitCaption(QWidget& widget, const QFont& designed) {
    QFont font = designed;
    if (hasCaption(widget)) {
        for (double points = designed.pointSizeF(); points >= SmallestPoints; points -= Step) {
            font.setPointSizeF(points);
            if (fits(widget, font)) break;
        }
    }
    widget.setFont(font);
}

}  // namespace runtime::qt
