#include "AtomicFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <cerrno>
#include <random>
#include <system_error>

#include "FileDescriptor.h"

namespace win32 {

namespace {

[[noreturn]] void fail(int error, const std::string& what, const std::filesystem::path& path) {
    throw std::system_error(error, std::generic_category(), what + " " + path.string());
}

// A new empty file beside `path`, hidden by a leading dot, with a name no
// other writer picks. Created like any new file (0666 less the umask) rather
// than with mkstemp's 0600.
std::pair<std::filesystem::path, FileDescriptor> createTemporary(const std::filesystem::path& path) {
    static constexpr std::string_view letters = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    // Seeded afresh each time: a generator kept across calls would be copied
    // into forked children, which would then all try the same names.
    std::mt19937_64 random{std::random_device{}()};
    std::uniform_int_distribution<std::size_t> pick(0, letters.size() - 1);
    for (int attempt = 0; attempt < 100; ++attempt) {
        std::string name = "." + path.filename().string() + ".";
        for (int i = 0; i < 8; ++i) name.push_back(letters[pick(random)]);
        std::filesystem::path temporary = path.parent_path() / name;
        FileDescriptor file(::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666));
        if (file.valid()) return {std::move(temporary), std::move(file)};
        if (errno != EEXIST) fail(errno, "cannot create a file in", path.parent_path());
    }
    fail(EEXIST, "cannot create a file in", path.parent_path());
}

// Writes `bytes` into the file itself: its owner, group and mode stay, but a
// reader at that moment may see part of it.
void writeInPlace(const std::filesystem::path& file, std::string_view bytes) {
    FileDescriptor out(::open(file.c_str(), O_WRONLY | O_CLOEXEC));
    const bool written = out.valid() && out.writeAll(bytes) &&
                         ::ftruncate(out.get(), static_cast<off_t>(bytes.size())) == 0 && ::fsync(out.get()) == 0 &&
                         out.close();
    if (!written) fail(errno, "cannot write", file);
}

}  // namespace

std::filesystem::path resolvedFile(const std::filesystem::path& path) {
    std::filesystem::path file = std::filesystem::absolute(path);
    // A chain of links, as far as it goes; a loop ends in an error.
    for (int links = 0; links < 40; ++links) {
        std::error_code error;
        if (!std::filesystem::is_symlink(std::filesystem::symlink_status(file, error))) return file;
        const std::filesystem::path target = std::filesystem::read_symlink(file, error);
        if (error) fail(error.value(), "cannot read the link", file);
        file = (file.parent_path() / target).lexically_normal();
    }
    fail(ELOOP, "too many links at", path);
}

bool writeFileAtomically(const std::filesystem::path& path, std::string_view bytes, ExistingFile existing) {
    const std::filesystem::path file = resolvedFile(path);
    struct stat old {};
    const bool exists = ::stat(file.c_str(), &old) == 0;
    if (!exists && errno != ENOENT) fail(errno, "cannot look at", file);
    if (exists && existing == ExistingFile::Keep) return false;

    auto [temporary, out] = createTemporary(file);
    bool written = out.writeAll(bytes);
    // The old file's owner, group and mode carry over, as they would if it
    // had been written in place.
    if (written && exists && ::fchown(out.get(), old.st_uid, old.st_gid) != 0) {
        if (errno == EPERM) {
            // Another user's file that the caller may write (by its group or
            // everybody): a replacement would be the caller's and shut the
            // group out, so the file itself takes the new content.
            out.close();
            ::unlink(temporary.c_str());
            writeInPlace(file, bytes);
            return true;
        }
        written = false;
    }
    written = written && (!exists || ::fchmod(out.get(), old.st_mode & 07777) == 0);
    // On the disk before the name points at it.
    written = written && ::fsync(out.get()) == 0 && out.close();
    if (written) {
        // link() never replaces: of several writers racing for a new name,
        // exactly one succeeds.
        written = existing == ExistingFile::Replace ? ::rename(temporary.c_str(), file.c_str()) == 0
                                                    : ::link(temporary.c_str(), file.c_str()) == 0;
        if (existing == ExistingFile::Keep) {
            const int error = errno;
            ::unlink(temporary.c_str());
            if (!written && error == EEXIST) return false;
            errno = error;
        }
    }
    if (!written) {
        const int error = errno;
        ::unlink(temporary.c_str());
        fail(error, "cannot write", file);
    }
    // Makes the rename itself durable; the content already is.
    FileDescriptor folder(::open(file.parent_path().c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (folder.valid()) ::fsync(folder.get());
    return true;
}

std::optional<std::string> readWholeFile(const std::filesystem::path& path) {
    FileDescriptor file(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
    if (!file.valid()) {
        if (errno == ENOENT) return std::nullopt;
        fail(errno, "cannot open", path);
    }
    auto content = file.readAll();
    if (!content) fail(errno, "cannot read", path);
    return content;
}

}  // namespace win32
