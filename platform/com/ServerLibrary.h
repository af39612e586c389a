#pragma once
// An in-process server library loaded by path, as the system's registration
// program and an installer load one to call its registration exports. The
// library stays loaded while the object lives.
#include <stdexcept>
#include <string>

namespace com {

enum class Registration { Register, Unregister };

// Why a server library could not do what was asked: `path` is the library,
// `reason` the German cause ("lässt sich nicht laden: ..."), what() both.
class ServerLibraryError : public std::runtime_error {
public:
    ServerLibraryError(std::string path, std::string reason);
    const std::string& path() const noexcept { return path_; }
    const std::string& reason() const noexcept { return reason_; }

private:
    std::string path_;
    std::string reason_;
};

class ServerLibrary {
public:
    // Loads the library with every symbol resolved now, so that a missing
    // library it needs shows here. Throws ServerLibraryError.
    explicit ServerLibrary(const std::string& path);
    ~ServerLibrary();
    ServerLibrary(const ServerLibrary&) = delete;
    ServerLibrary& operator=(const ServerLibrary&) = delete;

    const std::string& path() const noexcept { return path_; }
    // The export `name`; null when the library has none.
    void* symbol(const char* name) const noexcept;
    // Calls DllRegisterServer or DllUnregisterServer. Throws
    // ServerLibraryError when the export is missing or does not answer S_OK.
    void call(Registration registration) const;

private:
    std::string path_;
    void* handle_ = nullptr;
};

}  // namespace com
