#pragma once
// The office reads no icon files (.ico); a window's icons reach it as the
// bitmap file of the icon's largest image.
#include <cstdint>
#include <vector>

namespace runtime::awt {

// The bytes of an image file the office can read for the icon file `icon`:
// its largest image as a BMP file, or as the PNG file that newer icon files
// hold instead. The image's transparency mask is dropped, as BMP files have
// none: masked pixels show their own colour (the add-in's icons have no
// masked pixels). Empty when `icon` is no icon file or its largest image is
// neither a 24 or 32 bit bitmap nor a PNG file.
std::vector<std::uint8_t> iconImageFile(const std::vector<std::uint8_t>& icon);

}  // namespace runtime::awt
