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

// The part of the widget that its window shows. A layout may let a control
// reach past the client area by a pixel or two, which the original font never
// filled; the window cuts off what lies beyond, so a caption must fit what is
// left.
QRect visiblePart(const QWidget& widget) {
    QRect visible = widget.rect();
    if (const QWidget* parent = widget.parentWidget())
        visible &= QRect(widget.mapFromParent(QPoint(0, 0)), parent->size());
    return visible;
}

bool fits(QWidget& widget, const QFont& font) {
    const QFontMetrics metrics(font);
    const QRect visible = visiblePart(widget);
    if (const auto* label = qobject_cast<QLabel*>(&widget)) {
        // Wrapped at the control's own width and placed by its alignment, as
        // the label draws it.
        const QRect room(0, 0, widget.width(), std::numeric_limits<int>::max() / 2);
        const QRect used =
            metrics.boundingRect(room, static_cast<int>(label->alignment()) | Qt::TextWordWrap, label->text());
        return used.height() <= visible.height() && visible.left() <= used.left() && used.right() <= visible.right();
    }
    if (const auto* button = qobject_cast<QPushButton*>(&widget)) {
        // Centred within the frame, with a pixel of air on either side.
        const int frame = widget.style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, &widget);
        const QRect used =
            QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter,
                                QSize(metrics.horizontalAdvance(button->text()), metrics.height()), widget.rect());
        const QRect room = visible.adjusted(frame + 1, 0, -(frame + 1), 0);
        return room.left() <= used.left() && used.right() <= room.right();
    }
    if (qobject_cast<QCheckBox*>(&widget)) {
        // The size hint is the box, the gap and the caption in the widget's
        // font, from the control's left edge.
        widget.setFont(font);
        return widget.sizeHint().width() <= visible.right() + 1;
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
