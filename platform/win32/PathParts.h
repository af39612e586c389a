#pragma once
// A host path split into its folder and its last part.
#include <string>
#include <string_view>

namespace win32 {

struct PathParts {
    std::string folder;  // "." for a bare name, "/" for a name in the root
    std::string name;    // empty when the path ends in "/"
};

inline PathParts splitPath(std::string_view hostPath) {
    auto slash = hostPath.rfind('/');
    if (slash == std::string_view::npos) return {".", std::string(hostPath)};
    return {slash == 0 ? "/" : std::string(hostPath.substr(0, slash)), std::string(hostPath.substr(slash + 1))};
}

}  // namespace win32
