#pragma once
// A name in a folder that one holder at a time may claim, across processes
// and across machines that share the folder: a hidden file held open under
// an exclusive lock, as Windows holds a file opened without sharing. The file
// goes when the claim is released; one that a holder left when it died is
// taken over by the next claim.
#include <optional>
#include <string>

#include "platform/win32/FileDescriptor.h"

namespace win32 {

class FileClaim {
public:
    // The claim of `path` ("\" or "/" separators), taken without waiting;
    // none while another holder has it. Throws std::system_error when the
    // file cannot be made there.
    static std::optional<FileClaim> tryClaim(const std::string& path);

    // Deletes the file and releases the claim.
    ~FileClaim();
    FileClaim(FileClaim&&) noexcept = default;
    FileClaim& operator=(FileClaim&&) noexcept = default;

private:
    FileClaim(std::string path, FileDescriptor lock) noexcept : path_(std::move(path)), lock_(std::move(lock)) {}

    std::string path_;
    FileDescriptor lock_;
};

}  // namespace win32
