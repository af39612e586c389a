#pragma once
// Turns a window's twips into the pixels of the screen it is shown on.
// Windows are laid out at 15 twips per pixel on a 96 dpi screen; a denser
// screen (a larger logical density) gets proportionally more pixels, so the
// window keeps its size on the desk rather than its pixel count.
class QScreen;

namespace runtime::qt {

class TwipScale {
public:
    // dotsPerInch: the screen's logical density; 96 gives 15 twips per pixel.
    explicit TwipScale(double dotsPerInch) noexcept : dotsPerInch_(dotsPerInch) {}
    // The scale of a screen; the primary screen's when `screen` is null.
    static TwipScale of(const QScreen* screen);

    // Rounded to the nearest pixel; positions and sizes are rounded each on
    // their own, as the layouts are whole pixels at 96 dpi anyway.
    int pixels(int twips) const noexcept;

private:
    double dotsPerInch_;
};

}  // namespace runtime::qt
