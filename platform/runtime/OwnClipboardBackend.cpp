#include "platform/runtime/OwnClipboardBackend.h"

namespace runtime {

void OwnClipboardBackend::clearClipboard() {
    clipboard_ = Picture{};
}

void OwnClipboardBackend::setClipboardPicture(const Picture& picture) {
    clipboard_ = picture;
}

Picture OwnClipboardBackend::clipboardPicture() const {
    return clipboard_;
}

}  // namespace runtime
