#pragma once
// Turns a window's twips into the pixels of the office's screen. Windows are
// laid out at 15 twips per pixel on a 96 dpi screen; a denser screen gets
// proportionally more pixels, so the window keeps its size on the desk.
namespace runtime::awt {

class TwipScale {
public:
    // dotsPerInch: the screen's density as the toolkit maps it; 96 gives 15
    // twips per pixel.
    explicit TwipScale(double dotsPerInch) noexcept : dotsPerInch_(dotsPerInch) {}

    // Rounded to the nearest pixel; positions and sizes are rounded each on
    // their own, as the layouts are whole pixels at 96 dpi anyway.
    int pixels(int twips) const noexcept;

private:
    double dotsPerInch_;
};

}  // namespace runtime::awt
