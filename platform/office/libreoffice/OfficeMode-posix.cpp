#include "platform/office/libreoffice/OfficeMode.h"

#include <array>
#include <fstream>
#include <string>
#include <string_view>

namespace office::libreoffice {

bool runsHeadless() {
    // The options that make the office headless, as it reads them: with one
    // or two dashes.
    constexpr std::array<std::string_view, 5> headlessOptions{"headless", "convert-to", "print-to-file", "cat",
                                                              "script-cat"};
    std::ifstream commandLine("/proc/self/cmdline", std::ios::binary);
    for (std::string argument; std::getline(commandLine, argument, '\0');) {
        std::string_view option = argument;
        if (!option.starts_with('-')) continue;
        option.remove_prefix(option.starts_with("--") ? 2 : 1);
        for (const std::string_view headless : headlessOptions)
            if (option == headless) return true;
    }
    return false;
}

}  // namespace office::libreoffice
