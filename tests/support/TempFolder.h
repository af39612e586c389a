#pragma once
// A fresh folder under the system's temporary folder, removed with all its
// content when the test ends.
#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <stdexcept>
#include <string>
#include <string_view>

class TempFolder {
public:
    TempFolder() {
        std::string pattern = (std::filesystem::temp_directory_path() / "kalmora-test-XXXXXX").string();
        if (::mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
        m_path = pattern;
    }
    ~TempFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(m_path, ignored);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    // A name that is an absolute path stands for itself, here and below.
    std::string path(std::string_view name = {}) const { return (m_path / name).string(); }

    // The path with "\\" as the separator, as the product spells paths.
    std::string windowsPath(std::string_view name) const {
        auto result = path(name);
        std::replace(result.begin(), result.end(), '/', '\\');
        return result;
    }

    void write(std::string_view name, std::string_view bytes) const {
        std::ofstream(m_path / name, std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    }

    std::string read(std::string_view name) const {
        std::ifstream in(m_path / name, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), {}};
    }

    // The names in the folder (or in a folder inside it), to see that nothing
    // stray was left behind.
    std::set<std::string> names(std::string_view folder = {}) const {
        std::set<std::string> result;
        for (const auto& entry : std::filesystem::directory_iterator(m_path / folder))
            result.insert(entry.path().filename().string());
        return result;
    }

private:
    std::filesystem::path m_path;
};
