#pragma once
// A backend without a desktop to share a clipboard with (the terminal, the
// scripted answers): its clipboard lives in this process, holds what was set
// last and is empty after a clear.
#include "platform/runtime/Backend.h"

namespace runtime {

class OwnClipboardBackend : public Backend {
public:
    void clearClipboard() final;
    void setClipboardPicture(const Picture& picture) final;
    Picture clipboardPicture() const final;

protected:
    OwnClipboardBackend() = default;

private:
    Picture clipboard_;
};

}  // namespace runtime
