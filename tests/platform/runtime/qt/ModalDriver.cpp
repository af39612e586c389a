#include "ModalDriver.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>
#include <QTimer>
#include <QWidget>

namespace {
constexpr int WatchdogMilliseconds = 5000;
}

ModalDriver::ModalDriver(std::function<void(QWidget&)> drive) {
    QTimer::singleShot(0, &timers_, [this, drive = std::move(drive)] {
        QWidget* window = QApplication::activeModalWidget();
        if (!window) {
            ADD_FAILURE() << "no modal window is up";
            return;
        }
        EXPECT_TRUE(QTest::qWaitForWindowActive(window));
        drove_ = true;
        drive(*window);
    });
    QTimer::singleShot(WatchdogMilliseconds, &timers_, [] {
        for (int tries = 0; tries < 10 && QApplication::activeModalWidget(); ++tries) {
            QWidget* window = QApplication::activeModalWidget();
            ADD_FAILURE() << "the modal window " << window->windowTitle().toStdString() << " was still open";
            window->close();
            QCoreApplication::processEvents();
        }
    });
}
