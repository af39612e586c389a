// Message boxes: German captions, icons and answers by style value.
#include <gtest/gtest.h>

#include <algorithm>

#include <QAbstractButton>
#include <QMessageBox>
#include <QTest>
#include <QWindow>

#include "ModalDriver.h"
#include "platform/runtime/qt/QtBackend.h"

namespace {

enum class Answer { ClickOk, ClickCancel, Escape, Enter, CloseBox };

struct BoxCase {
    int style;
    std::vector<std::string> captions;
    QMessageBox::Icon icon;
    Answer answer;
    int result;
};

QAbstractButton* buttonCaptioned(QMessageBox& box, const char* caption) {
    for (QAbstractButton* button : box.buttons())
        if (button->text() == QString::fromUtf8(caption)) return button;
    return nullptr;
}

void give(QMessageBox& box, Answer answer) {
    switch (answer) {
        case Answer::ClickOk: QTest::mouseClick(buttonCaptioned(box, "OK"), Qt::LeftButton); break;
        case Answer::ClickCancel: QTest::mouseClick(buttonCaptioned(box, "Abbrechen"), Qt::LeftButton); break;
        case Answer::Escape: QTest::keyClick(box.windowHandle(), Qt::Key_Escape); break;
        case Answer::Enter: QTest::keyClick(box.windowHandle(), Qt::Key_Return); break;
        case Answer::CloseBox: box.windowHandle()->close(); break;
    }
}

// Every box shows its title and its text as given: both kinds of line break
// break the line, leading blanks and markup characters stay.
TEST(QtMessageBoxTest, ButtonsIconAndAnswerFollowTheStyle) {
    const std::vector<std::string> ok{"OK"};
    const std::vector<std::string> okCancel{"Abbrechen", "OK"};  // sorted
    const BoxCase cases[] = {
        {0, ok, QMessageBox::NoIcon, Answer::ClickOk, 1},
        {0, ok, QMessageBox::NoIcon, Answer::Escape, 1},
        {1, okCancel, QMessageBox::NoIcon, Answer::Escape, 2},
        {1, okCancel, QMessageBox::NoIcon, Answer::Enter, 1},
        {16, ok, QMessageBox::Critical, Answer::CloseBox, 1},
        {33, okCancel, QMessageBox::Question, Answer::ClickCancel, 2},
        {33, okCancel, QMessageBox::Question, Answer::ClickOk, 1},
        {49, okCancel, QMessageBox::Warning, Answer::CloseBox, 2},
        {48, ok, QMessageBox::Warning, Answer::Enter, 1},
    };
    runtime::QtBackend backend;
    for (const BoxCase& c : cases) {
        SCOPED_TRACE("style " + std::to_string(c.style) + " answer " + std::to_string(static_cast<int>(c.answer)));
        std::vector<std::string> captions;
        QMessageBox::Icon icon = QMessageBox::NoIcon;
        ModalDriver driver([&](QWidget& window) {
            auto* box = qobject_cast<QMessageBox*>(&window);
            ASSERT_NE(box, nullptr);
            EXPECT_EQ(box->windowTitle().toStdString(), "pdf-Kalmora");
            EXPECT_EQ(box->text().toStdString(), "Zeile 1\n  eingerückt <b>\nZeile 3");
            EXPECT_EQ(box->textFormat(), Qt::PlainText);
            for (QAbstractButton* button : box->buttons()) captions.push_back(button->text().toStdString());
            icon = box->icon();
            give(*box, c.answer);
        });
        EXPECT_EQ(backend.messageBox({"Zeile 1\r\n  eingerückt <b>\nZeile 3", c.style, "pdf-Kalmora"}), c.result);
        EXPECT_TRUE(driver.drove());
        std::sort(captions.begin(), captions.end());
        EXPECT_EQ(captions, c.captions);
        EXPECT_EQ(icon, c.icon);
    }
}

}  // namespace
