#include "platform/runtime/Interaction.h"

#include "platform/com/Error.h"
#include "platform/runtime/Runtime.h"
#include "platform/win32/Files.h"

namespace runtime {

int MsgBox(const std::string& prompt, int style, const std::optional<std::string>& title) {
    MessageBoxRequest request;
    request.prompt = prompt;
    request.style = style;
    request.title = title.value_or(app().title);
    return backend().messageBox(request);
}

void ShowModal(Form& form) {
    form.load();
    backend().showModal(form);
}

void DoEvents() {
    backend().processEvents();
}

void Kill(const std::string& path) {
    if (win32::DeleteFileA(path)) return;
    switch (win32::GetLastError()) {
        case win32::ERROR_FILE_NOT_FOUND: throw com::Error::fromNumber(com::errors::FileNotFound);
        case win32::ERROR_PATH_NOT_FOUND: throw com::Error::fromNumber(com::errors::PathNotFound);
        case win32::ERROR_SHARING_VIOLATION: throw com::Error::fromNumber(com::errors::PermissionDenied);
        default: throw com::Error::fromNumber(com::errors::PathFileAccessError);
    }
}

std::size_t Len(const std::string& text) {
    std::size_t count = 0;
    for (const char c : text) {
        // Continuation bytes (10xxxxxx) belong to the character before them.
        if ((static_cast<unsigned char>(c) & 0xC0u) != 0x80u) ++count;
    }
    return count;
}

}  // namespace runtime
