#pragma once
// A fresh world for one test: KALMORA_WORLD points at a new temporary folder,
// which is removed with everything in it when the test ends.
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <string>

#include "tests/support/ScopedVariable.h"
#include "tests/support/TempFolder.h"

class TestWorld {
public:
    const std::filesystem::path& path() const { return path_; }

    static std::string read(const std::filesystem::path& file) {
        std::ifstream in(file, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), {}};
    }

    static void write(const std::filesystem::path& file, const std::string& bytes) {
        std::ofstream(file, std::ios::binary) << bytes;
    }

    // The names of the files in a folder.
    static std::set<std::string> names(const std::filesystem::path& folder) {
        std::set<std::string> result;
        for (const auto& entry : std::filesystem::directory_iterator(folder))
            result.insert(entry.path().filename().string());
        return result;
    }

private:
    TempFolder folder_;
    std::filesystem::path path_ = std::filesystem::path(folder_.path()).parent_path();  // without the final "/"
    ScopedVariable world_{"KALMORA_WORLD", path_.string()};
};
