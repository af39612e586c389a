#include "platform/runtime/awt/TwipScale.h"

#include <cmath>

namespace runtime::awt {

namespace {
constexpr double TwipsPerInch = 1440.0;
}  // namespace

int TwipScale::pixels(int twips) const noexcept {
    return static_cast<int>(std::lround(twips * dotsPerInch_ / TwipsPerInch));
}

}  // namespace runtime::awt
