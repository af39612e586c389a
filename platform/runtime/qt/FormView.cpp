#include "platform/runtime/qt/FormView.h"

#include <QCheckBox>
#include <QGuiApplication>
#include <QIcon>
#include <QLabel>
#include <QListWidget>
#include <QPixmap>
#include <QPushButton>
#include <QScreen>
#include <QWidget>
#include <algorithm>

#include "platform/runtime/qt/CaptionFit.h"
#include "platform/runtime/qt/PictureCodec.h"
#include "platform/runtime/qt/TwipScale.h"

namespace runtime::qt {

namespace {

constexpr double DialogFontPoints = 8;

QString text(const std::string& value) {
    return QString::fromStdString(value);
}

// Captions come with CR LF or LF line breaks (and the odd lone CR); Qt breaks
// lines on LF only and would show a CR as a box.
QString lines(const std::string& value) {
    QString result = text(value);
    result.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    result.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return result;
}

Qt::Alignment alignmentOf(Alignment alignment) {
    switch (alignment) {
        case Alignment::Center: return Qt::AlignHCenter | Qt::AlignTop;
        case Alignment::Right: return Qt::AlignRight | Qt::AlignTop;
        case Alignment::Left: break;
    }
    return Qt::AlignLeft | Qt::AlignTop;
}

bool takesFocus(ControlKind kind) {
    return kind == ControlKind::ListBox || kind == ControlKind::CommandButton || kind == ControlKind::CheckBox;
}

QStringList itemsOf(const Control& control) {
    QStringList items;
    for (const std::string& item : control.items) items << text(item);
    return items;
}

QStringList itemsOf(const QListWidget& list) {
    QStringList items;
    for (int row = 0; row < list.count(); ++row) items << list.item(row)->text();
    return items;
}

}  // namespace

FormView::FormView(const Form& form, QWidget& window) : form_(form), window_(window) {
    const TwipScale scale = TwipScale::of(window.screen());
    // A fixed tool window: a thin title bar with only the close box, no
    // resizing, and (as a tool window) no task bar entry.
    window.setWindowFlags(Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    window.setFixedSize(scale.pixels(form.clientWidth()), scale.pixels(form.clientHeight()));
    window.setWindowTitle(text(form.caption()));
    // The layouts were made for an 8 point dialog font; the desktop's larger
    // default would cut captions off at their fixed sizes.
    QFont dialogFont = window.font();
    dialogFont.setPointSizeF(DialogFontPoints);
    window.setFont(dialogFont);
    const QImage icon = decodePicture(form.icon());
    if (!icon.isNull()) window.setWindowIcon(QIcon(QPixmap::fromImage(icon)));

    for (const Control& control : form.controls()) {
        QWidget* widget = build(control);
        widget->setObjectName(text(control.name));
        widget->setGeometry(scale.pixels(control.left), scale.pixels(control.top), scale.pixels(control.width),
                            scale.pixels(control.height));
        if (!control.font.name.empty() || control.font.points > 0) {
            QFont font = widget->font();
            if (!control.font.name.empty()) font.setFamily(text(control.font.name));
            if (control.font.points > 0) font.setPointSizeF(control.font.points);
            widget->setFont(font);
        }
        shown_.push_back({control.name, control.kind, widget, widget->font()});
    }
    orderTabs();
    refresh();

    if (const QScreen* screen = window.screen() ? window.screen() : QGuiApplication::primaryScreen()) {
        QRect frame(QPoint(), window.size());
        frame.moveCenter(screen->availableGeometry().center());
        window.move(frame.topLeft());
    }
}

QWidget* FormView::build(const Control& control) {
    switch (control.kind) {
        case ControlKind::ListBox: {
            auto* list = new QListWidget(&window_);
            list->setSelectionMode(QAbstractItemView::SingleSelection);
            return list;
        }
        case ControlKind::Label: {
            auto* label = new QLabel(&window_);
            label->setTextFormat(Qt::PlainText);
            label->setWordWrap(true);
            label->setAlignment(alignmentOf(control.alignment));
            return label;
        }
        case ControlKind::PictureBox:
        case ControlKind::Image: {
            auto* picture = new QLabel(&window_);
            picture->setAlignment(Qt::AlignLeft | Qt::AlignTop);
            // An image stretches its picture over the control; a picture box
            // shows it at its own size, clipped.
            picture->setScaledContents(control.kind == ControlKind::Image);
            const QImage image = decodePicture(control.picture);
            if (!image.isNull()) picture->setPixmap(QPixmap::fromImage(image));
            return picture;
        }
        case ControlKind::CommandButton: {
            auto* button = new QPushButton(&window_);
            // The focused button looks as the one that Enter presses (the
            // dialog routes Enter to it, as on Windows); no button is the
            // window's default, so Enter elsewhere presses none.
            button->setAutoDefault(true);
            button->setDefault(false);
            return button;
        }
        case ControlKind::CheckBox: return new QCheckBox(&window_);
    }
    return new QWidget(&window_);
}

void FormView::orderTabs() {
    std::vector<const Control*> ordered;
    for (const Control& control : form_.controls()) {
        if (!takesFocus(control.kind)) continue;
        if (control.tabIndex >= 0) {
            ordered.push_back(&control);
        } else if (QWidget* w = widget(control.name)) {
            // Out of the tab order, but still reached by a click.
            w->setFocusPolicy(Qt::ClickFocus);
        }
    }
    std::stable_sort(ordered.begin(), ordered.end(),
                     [](const Control* a, const Control* b) { return a->tabIndex < b->tabIndex; });
    for (std::size_t i = 1; i < ordered.size(); ++i)
        QWidget::setTabOrder(widget(ordered[i - 1]->name), widget(ordered[i]->name));
}

void FormView::refresh() {
    for (const Shown& shown : shown_) {
        const Control& control = form_.control(shown.name);
        switch (shown.kind) {
            case ControlKind::ListBox: {
                auto* list = static_cast<QListWidget*>(shown.widget);
                const QStringList items = itemsOf(control);
                if (itemsOf(*list) != items) {
                    list->clear();
                    list->addItems(items);
                }
                if (list->currentRow() != control.listIndex) list->setCurrentRow(control.listIndex);
                break;
            }
            case ControlKind::Label: static_cast<QLabel*>(shown.widget)->setText(lines(control.caption)); break;
            case ControlKind::CommandButton:
                static_cast<QPushButton*>(shown.widget)->setText(text(control.caption));
                break;
            case ControlKind::CheckBox: {
                auto* box = static_cast<QCheckBox*>(shown.widget);
                box->setText(text(control.caption));
                box->setChecked(control.value != 0);
                break;
            }
            case ControlKind::PictureBox:
            case ControlKind::Image: break;
        }
        fitCaption(*shown.widget, shown.font);
        shown.widget->setToolTip(text(control.toolTip));
        shown.widget->setHidden(!control.visible);
    }
    QWidget* focus = widget(form_.focus());
    if (focus && !focus->hasFocus()) focus->setFocus(Qt::OtherFocusReason);
}

QWidget* FormView::widget(std::string_view name) const {
    for (const Shown& shown : shown_)
        if (shown.name == name) return shown.widget;
    return nullptr;
}

std::string FormView::nameOf(const QWidget* widget) const {
    for (const Shown& shown : shown_)
        if (shown.widget == widget) return shown.name;
    return {};
}

}  // namespace runtime::qt
