#pragma once
// A picture as a window or the clipboard holds it: the encoded file bytes.
#include <cstdint>
#include <string>
#include <vector>

namespace runtime {

enum class PictureFormat { None, Bitmap, Jpeg, Icon };

struct Picture {
    PictureFormat format = PictureFormat::None;
    int width = 0;   // pixels
    int height = 0;  // pixels
    std::vector<std::uint8_t> data{};

    bool empty() const noexcept { return format == PictureFormat::None; }
    friend bool operator==(const Picture&, const Picture&) = default;
};

}  // namespace runtime
