#pragma once
// A fresh world for one test: KALMORA_WORLD points at a new temporary folder,
// which is removed with everything in it when the test ends.
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <stdexcept>
#include <string>

class TestWorld {
public:
    TestWorld() {
        std::string pattern = (std::filesystem::temp_directory_path() / "kalmora-printers-XXXXXX").string();
        if (::mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
        path_ = pattern;
        ::setenv("KALMORA_WORLD", path_.c_str(), 1);
    }
    ~TestWorld() {
        ::unsetenv("KALMORA_WORLD");
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    TestWorld(const TestWorld&) = delete;
    TestWorld& operator=(const TestWorld&) = delete;

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
    std::filesystem::path path_;
};
