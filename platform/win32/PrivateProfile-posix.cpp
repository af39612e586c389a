#include "PrivateProfile.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#include <cerrno>
#include <chrono>
#include <optional>
#include <system_error>
#include <thread>

#include "AtomicFile.h"
#include "FileDescriptor.h"
#include "Files.h"
#include "LastError.h"
#include "PathParts.h"
#include "ProfileText.h"

namespace win32 {

namespace {

// The file's bytes; nothing when it is missing, not a regular file or unreadable.
std::optional<std::string> readProfile(std::string_view fileName) {
    auto path = hostPath(fileName);
    FileDescriptor file(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
    struct stat status {};
    if (!file.valid() || ::fstat(file.get(), &status) != 0 || !S_ISREG(status.st_mode)) return {};
    return file.readAll();
}

// The value (UTF-8); nothing when the file, the section or the key is missing.
std::optional<std::string> lookUp(std::string_view section, std::string_view key, std::string_view fileName) {
    auto bytes = readProfile(fileName);
    if (!bytes) return {};
    const profile::Encoding encoding = profile::encodingOf(*bytes);
    auto value = profile::findValue(*bytes, profile::toFileText(section, encoding), profile::toFileText(key, encoding),
                                    encoding);
    if (!value) return {};
    return profile::fromFileText(*value, encoding);
}

bool isContinuationByte(char c) {
    return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

std::size_t countCharacters(std::string_view utf8) {
    std::size_t count = 0;
    for (char c : utf8) count += isContinuationByte(c) ? 0u : 1u;
    return count;
}

// The length in bytes of the first `count` characters of `utf8`, or all of it.
std::size_t prefixBytes(std::string_view utf8, std::size_t count) {
    std::size_t seen = 0;
    for (std::size_t i = 0; i < utf8.size(); ++i) {
        if (isContinuationByte(utf8[i])) continue;
        if (seen == count) return i;
        ++seen;
    }
    return utf8.size();
}

// How long a write waits for the others writing the same file. A lock held
// longer belongs to a writer that hangs; the host must not hang with it.
constexpr auto lockLimit = std::chrono::seconds(3);
constexpr auto lockPoll = std::chrono::milliseconds(20);

bool lockWithin(const FileDescriptor& folder) {
    const auto until = std::chrono::steady_clock::now() + lockLimit;
    while (::flock(folder.get(), LOCK_EX | LOCK_NB) != 0) {
        if (errno != EWOULDBLOCK && errno != EINTR) return false;
        if (std::chrono::steady_clock::now() >= until) {
            errno = EWOULDBLOCK;
            return false;
        }
        std::this_thread::sleep_for(lockPoll);
    }
    return true;
}

}  // namespace

DWORD GetPrivateProfileStringA(std::string_view section, std::string_view key, std::string_view defaultValue,
                               std::string& buffer, DWORD size, std::string_view fileName) {
    auto found = lookUp(section, key, fileName);
    // The caller's default is a C string on Windows: it ends at a NUL.
    std::string value = found ? *found : std::string(defaultValue.substr(0, defaultValue.find('\0')));
    if (size == 0) return 0;
    auto copied = std::min<std::size_t>(countCharacters(value), size - 1);
    value.resize(prefixBytes(value, copied));
    value.push_back('\0');
    buffer.replace(0, prefixBytes(buffer, copied + 1), value);
    return static_cast<DWORD>(copied);
}

DWORD GetPrivateProfileSectionNamesA(std::string& buffer, DWORD size, std::string_view fileName) {
    std::string names;
    if (auto bytes = readProfile(fileName)) {
        const profile::Encoding encoding = profile::encodingOf(*bytes);
        for (const std::string& name : profile::sectionNames(*bytes, encoding))
            names += profile::fromFileText(name, encoding) + '\0';
    }
    if (size < 2) return 0;
    // Cut to size, the last name ending in its NUL and the list in one more.
    if (countCharacters(names) > size - 1) {
        names.resize(prefixBytes(names, size - 2));
        names.push_back('\0');
    }
    buffer = names.empty() ? std::string(2, '\0') : names + '\0';
    return static_cast<DWORD>(countCharacters(names));
}

UINT GetPrivateProfileIntA(std::string_view section, std::string_view key, std::int32_t defaultValue,
                           std::string_view fileName) {
    auto found = lookUp(section, key, fileName);
    return found ? profile::parseInt(*found) : static_cast<UINT>(defaultValue);
}

BOOL WritePrivateProfileStringA(std::string_view section, std::string_view key, std::string_view value,
                                std::string_view fileName) {
    const ProfileEntry entry{std::string(key), std::string(value)};
    return WritePrivateProfileEntries(section, std::span(&entry, 1), fileName);
}

BOOL WritePrivateProfileEntries(std::string_view section, std::span<const ProfileEntry> entries,
                                std::string_view fileName) {
    if (splitPath(hostPath(fileName)).name.empty()) return failWith(ERROR_PATH_NOT_FOUND);
    try {
        // A settings file that is a link is written through it: the file
        // it points at is the one that changes.
        const std::filesystem::path file = resolvedFile(hostPath(fileName));
        FileDescriptor folder(::open(file.parent_path().c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
        if (!folder.valid()) return failWith(errno == ENOENT ? ERROR_PATH_NOT_FOUND : errorFromErrno(errno));
        // Writers of the same file take turns on its folder, so that each one
        // re-reads what the one before it wrote. Locking the folder rather
        // than a lock file next to the settings leaves nothing behind.
        if (!lockWithin(folder))
            return failWith(errno == EWOULDBLOCK ? ERROR_SHARING_VIOLATION : errorFromErrno(errno));

        std::string bytes;
        FileDescriptor current(::open(file.c_str(), O_RDONLY | O_CLOEXEC));
        if (current.valid()) {
            struct stat status {};
            if (::fstat(current.get(), &status) != 0 || !S_ISREG(status.st_mode)) return failWith(ERROR_ACCESS_DENIED);
            // Windows refuses to write a read-only file, also to an administrator.
            if ((status.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0) return failWith(ERROR_ACCESS_DENIED);
            // Nor may a user write a file without write access to it, though the
            // folder would let the rename replace it. Root may, as Windows'
            // administrator may.
            if (::faccessat(AT_FDCWD, file.c_str(), W_OK, AT_EACCESS) != 0) return failWith(ERROR_ACCESS_DENIED);
            auto read = current.readAll();
            if (!read) return failWith(errorFromErrno(errno));
            bytes = std::move(*read);
        } else if (errno != ENOENT) {
            return failWith(errorFromErrno(errno));
        }

        // A file saved as UTF-8 stays UTF-8; any other is Windows-1252.
        const profile::Encoding encoding = profile::encodingOf(bytes);
        const std::string fileSection = profile::toFileText(section, encoding);
        for (const ProfileEntry& entry : entries)
            bytes = profile::withValue(bytes, fileSection, profile::toFileText(entry.key, encoding),
                                       profile::toFileText(entry.value, encoding), encoding);
        writeFileAtomically(file, bytes);
        return TRUE;
    } catch (const std::system_error& error) {
        return failWith(errorFromErrno(error.code().value()));
    } catch (const std::exception&) {
        return failWith(ERROR_ACCESS_DENIED);
    }
}

BOOL ProfileHoldsText(std::string_view text, std::string_view fileName) {
    const auto bytes = readProfile(fileName);
    return profile::holds(bytes ? profile::encodingOf(*bytes) : profile::Encoding::Windows1252, text) ? TRUE : FALSE;
}

}  // namespace win32
