#pragma once
// The processes running now whose command line names a text: to see that
// the programs a test's run started (in its own folders) have all ended.
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

inline std::vector<std::string> processesNaming(const std::string& text) {
    std::vector<std::string> found;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator("/proc", error)) {
        std::ifstream in(entry.path() / "cmdline", std::ios::binary);
        std::string line{std::istreambuf_iterator<char>(in), {}};
        std::replace(line.begin(), line.end(), '\0', ' ');
        if (line.find(text) != std::string::npos) found.push_back(entry.path().filename().string() + ": " + line);
    }
    return found;
}
