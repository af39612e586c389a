#include "platform/runtime/qt/TwipScale.h"

#include <QGuiApplication>
#include <QScreen>
#include <cmath>

namespace runtime::qt {

namespace {
constexpr double TwipsPerInch = 1440.0;
constexpr double DefaultDotsPerInch = 96.0;
}  // namespace

TwipScale TwipScale::of(const QScreen* screen) {
    if (!screen) screen = QGuiApplication::primaryScreen();
    return TwipScale(screen ? screen->logicalDotsPerInch() : DefaultDotsPerInch);
}

int TwipScale::pixels(int twips) const noexcept {
    return static_cast<int>(std::lround(twips * dotsPerInch_ / TwipsPerInch));
}

}  // namespace runtime::qt
