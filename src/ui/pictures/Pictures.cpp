#include "src/ui/pictures/Pictures.h"

#include "src/ui/pictures/EmbeddedFiles.h"

namespace Pictures {

namespace {

runtime::Picture picture(runtime::PictureFormat format, int width, int height, std::span<const std::uint8_t> bytes) {
    return {format, width, height, {bytes.begin(), bytes.end()}};
}

}  // namespace

// The sizes are the ones the windows were designed for; make-pictures draws
// the files to match them.
runtime::Picture icon() {
    return picture(runtime::PictureFormat::Icon, 32, 32, embedded::Picture1_ico());
}

runtime::Picture image() {
    return picture(runtime::PictureFormat::Jpeg, 522, 443, embedded::Image1_jpg());
}

runtime::Picture blankIcon() {
    return picture(runtime::PictureFormat::Icon, 32, 32, embedded::Dialog_ico());
}

}  // namespace Pictures
