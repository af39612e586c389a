#pragma once
// Captions in a font wider than the one a layout was made for (the font the
// desktop substitutes for it) would be cut off at the controls' fixed sizes;
// they are drawn a little smaller instead.
class QFont;
class QWidget;

namespace runtime::qt {

// Gives a label, button or check box the largest font, from `designed` down
// in half-point steps to 6 points, at which its caption fits the part of the
// control that its window shows. Other widgets keep `designed`.
void fitCaption(QWidget& widget, const QFont& designed);

}  // namespace runtime::qt
