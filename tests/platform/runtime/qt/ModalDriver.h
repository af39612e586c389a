#pragma once
// Drives a modal window or message box from inside its own event loop: the
// test arms a driver, then makes the blocking call.
#include <QObject>
#include <functional>

class QWidget;

class ModalDriver {
public:
    // `drive` gets the modal window once it is up and active. A window still
    // open after a few seconds fails the test and is closed, so that a broken
    // backend cannot hang the run.
    explicit ModalDriver(std::function<void(QWidget& window)> drive);
    ModalDriver(const ModalDriver&) = delete;
    ModalDriver& operator=(const ModalDriver&) = delete;

    bool drove() const noexcept { return drove_; }

private:
    QObject timers_;  // ends the pending timers with the driver
    bool drove_ = false;
};
