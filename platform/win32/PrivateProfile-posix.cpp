#include "PrivateProfile.h"

#include <cerrno>
#include <fcntl.h>
#include <optional>
#include <random>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include "Codepage.h"
#include "FileDescriptor.h"
#include "Files.h"
#include "LastError.h"
#include "PathParts.h"
#include "ProfileText.h"

namespace win32 {

namespace {

// The file's bytes; nothing when it is missing, not a regular file or unreadable.
std::optional<std::string> readProfile(std::string_view fileName)
{
    auto path = hostPath(fileName);
    FileDescriptor file(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
    struct stat status {};
    if (!file.valid() || ::fstat(file.get(), &status) != 0 || !S_ISREG(status.st_mode))
        return {};
    return file.readAll();
}

// The value in Windows-1252; nothing when the file, the section or the key is missing.
std::optional<std::string> lookUp(std::string_view section, std::string_view key, std::string_view fileName)
{
    auto bytes = readProfile(fileName);
    if (!bytes)
        return {};
    return profile::findValue(*bytes, utf8ToAnsi(section), utf8ToAnsi(key));
}

bool isContinuationByte(char c)
{
    return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

std::size_t countCharacters(std::string_view utf8)
{
    std::size_t count = 0;
    for (char c : utf8)
        count += isContinuationByte(c) ? 0u : 1u;
    return count;
}

// The length in bytes of the first `count` characters of `utf8`, or all of it.
std::size_t prefixBytes(std::string_view utf8, std::size_t count)
{
    std::size_t seen = 0;
    for (std::size_t i = 0; i < utf8.size(); ++i) {
        if (isContinuationByte(utf8[i]))
            continue;
        if (seen == count)
            return i;
        ++seen;
    }
    return utf8.size();
}

// Creates an empty temporary file next to `name`, hidden by a leading dot.
// Created like any new file (mode 0666 less the umask) rather than mkstemp's
// 0600, so that a new settings file gets the permissions users expect.
std::optional<std::pair<std::string, FileDescriptor>> createTemporary(const FileDescriptor& folder,
                                                                      std::string_view name)
{
    static constexpr std::string_view letters = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    // Seeded afresh each time: a generator kept across calls would be copied
    // into forked children, which would then all try the same names.
    std::mt19937_64 random{std::random_device{}()};
    std::uniform_int_distribution<std::size_t> pick(0, letters.size() - 1);
    for (int attempt = 0; attempt < 100; ++attempt) {
        std::string temporary = std::string(".").append(name).append(".");
        for (int i = 0; i < 6; ++i)
            temporary.push_back(letters[pick(random)]);
        FileDescriptor file(::openat(folder.get(), temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666));
        if (file.valid())
            return std::pair{std::move(temporary), std::move(file)};
        if (errno != EEXIST)
            return {};
    }
    return {};
}

// Writes `bytes` as the new content of `name` in `folder`: a whole new file
// renamed over the old one, so that a reader sees either the old or the new.
bool replaceFile(const FileDescriptor& folder, const std::string& name, std::string_view bytes,
                 std::optional<mode_t> keptMode)
{
    auto temporary = createTemporary(folder, name);
    if (!temporary)
        return false;
    auto& [temporaryName, file] = *temporary;
    bool written = file.writeAll(bytes) && (!keptMode || ::fchmod(file.get(), *keptMode) == 0)
                   && ::fsync(file.get()) == 0 && file.close()
                   && ::renameat(folder.get(), temporaryName.c_str(), folder.get(), name.c_str()) == 0;
    if (!written) {
        int error = errno;
        ::unlinkat(folder.get(), temporaryName.c_str(), 0);
        errno = error;
        return false;
    }
    // Makes the rename itself durable; the file's content already is.
    ::fsync(folder.get());
    return true;
}

}  // namespace

DWORD GetPrivateProfileStringA(std::string_view section, std::string_view key,
                               std::string_view defaultValue, std::string& buffer, DWORD size,
                               std::string_view fileName)
{
    auto found = lookUp(section, key, fileName);
    // The caller's default is a C string on Windows: it ends at a NUL.
    std::string value = found ? ansiToUtf8(*found) : std::string(defaultValue.substr(0, defaultValue.find('\0')));
    if (size == 0)
        return 0;
    auto copied = std::min<std::size_t>(countCharacters(value), size - 1);
    value.resize(prefixBytes(value, copied));
    value.push_back('\0');
    buffer.replace(0, prefixBytes(buffer, copied + 1), value);
    return static_cast<DWORD>(copied);
}

UINT GetPrivateProfileIntA(std::string_view section, std::string_view key, std::int32_t defaultValue,
                           std::string_view fileName)
{
    auto found = lookUp(section, key, fileName);
    return found ? profile::parseInt(*found) : static_cast<UINT>(defaultValue);
}

BOOL WritePrivateProfileStringA(std::string_view section, std::string_view key, std::string_view value,
                                std::string_view fileName)
{
    auto parts = splitPath(hostPath(fileName));
    if (parts.name.empty())
        return failWith(ERROR_PATH_NOT_FOUND);
    FileDescriptor folder(::open(parts.folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (!folder.valid())
        return failWith(errno == ENOENT ? ERROR_PATH_NOT_FOUND : errorFromErrno(errno));
    // Writers of the same file take turns on its folder, so that each one
    // re-reads what the one before it wrote. Locking the folder rather than a
    // lock file next to the settings leaves nothing behind.
    int locked = 0;
    do {
        locked = ::flock(folder.get(), LOCK_EX);
    } while (locked != 0 && errno == EINTR);
    if (locked != 0)
        return failWith(errorFromErrno(errno));

    std::string bytes;
    std::optional<mode_t> keptMode;
    FileDescriptor current(::openat(folder.get(), parts.name.c_str(), O_RDONLY | O_CLOEXEC));
    if (current.valid()) {
        struct stat status {};
        if (::fstat(current.get(), &status) != 0 || !S_ISREG(status.st_mode))
            return failWith(ERROR_ACCESS_DENIED);
        // Windows refuses to write a read-only file; root would not be stopped.
        if ((status.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0)
            return failWith(ERROR_ACCESS_DENIED);
        auto read = current.readAll();
        if (!read)
            return failWith(errorFromErrno(errno));
        bytes = std::move(*read);
        keptMode = status.st_mode & 07777;
    } else if (errno != ENOENT) {
        return failWith(errorFromErrno(errno));
    }

    auto updated = profile::withValue(bytes, utf8ToAnsi(section), utf8ToAnsi(key), utf8ToAnsi(value));
    if (!replaceFile(folder, parts.name, updated, keptMode))
        return failWith(errorFromErrno(errno));
    return TRUE;
}

}  // namespace win32
