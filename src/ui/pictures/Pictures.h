#pragma once
// The add-in's own pictures, built into it from the files beside this header
// (drawn by tools/make-pictures). Each call returns a fresh copy.
#include "platform/runtime/Picture.h"

namespace Pictures {

// The add-in's icon: an icon file, 32 x 32 pixels, 24-bit colour. The choice
// window's icon box holds it, and it is the toolbar button's face.
runtime::Picture icon();
// The choice window's picture: a JPEG file, 522 x 443 pixels.
runtime::Picture image();
// The question dialog's window icon: a blank icon file, 32 x 32 pixels.
runtime::Picture blankIcon();

}  // namespace Pictures
