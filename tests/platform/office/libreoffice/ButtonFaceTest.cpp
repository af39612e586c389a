// The add-in's button face reaches the office's toolbar as an image file the
// office reads: an icon file as its largest image, else nothing.
#include <gtest/gtest.h>

#include <cstddef>
#include <cstdint>
#include <utility>
#include <vector>

#include "platform/runtime/awt/IconFile.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

// `value` in `size` bytes, least significant first.
void put(Bytes& bytes, std::uint32_t value, int size) {
    for (int i = 0; i < size; ++i) bytes.push_back(static_cast<std::uint8_t>(i < 4 ? value >> (8 * i) : 0));
}

// An image as an icon file holds it: a bitmap header that counts the mask's
// rows in, the pixels (4-byte rows), then the mask.
Bytes iconImage(std::uint32_t width, std::uint32_t height, std::uint32_t bitCount, std::uint32_t compression = 0) {
    Bytes image;
    const std::pair<std::uint32_t, int> header[] = {{40, 4},       {width, 4},       {2 * height, 4}, {1, 2},
                                                    {bitCount, 2}, {compression, 4}, {0, 20}};
    for (const auto& [value, size] : header) put(image, value, size);
    for (std::uint32_t i = 0; i < (width * bitCount + 31) / 32 * 4 * height; ++i)
        image.push_back(static_cast<std::uint8_t>(i % 200 + 1));
    image.resize(image.size() + (width + 31) / 32 * 4 * height, 0xFF);
    return image;
}

// The image's colour pixels as a BMP file, the mask left out.
Bytes bmpFile(std::uint32_t width, std::uint32_t height, std::uint32_t bitCount) {
    const std::uint32_t pixels = (width * bitCount + 31) / 32 * 4 * height;
    Bytes image = iconImage(width, height, bitCount);
    image.resize(40 + pixels);
    image[8] = static_cast<std::uint8_t>(height);
    image[20] = static_cast<std::uint8_t>(pixels);
    Bytes file = {'B', 'M'};
    for (const std::uint32_t value : {54 + pixels, 0u, 54u}) put(file, value, 4);
    file.insert(file.end(), image.begin(), image.end());
    return file;
}

const Bytes png = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n', 0, 0, 0, 13, 'I', 'H', 'D', 'R'};

// An icon file of images, each with the size and colour depth its entry
// gives, less the last `cut` bytes.
struct Entry {
    std::uint8_t width, height;
    std::uint16_t bitCount;
    Bytes image;
};
Bytes iconFile(const std::vector<Entry>& entries, std::size_t cut = 0) {
    Bytes file, images;
    for (const std::uint32_t value : {0u, 1u, static_cast<std::uint32_t>(entries.size())}) put(file, value, 2);
    for (const Entry& entry : entries) {
        file.insert(file.end(), {entry.width, entry.height, 0, 0, 1, 0});
        put(file, entry.bitCount, 2);
        put(file, static_cast<std::uint32_t>(entry.image.size()), 4);
        put(file, static_cast<std::uint32_t>(6 + 16 * entries.size() + images.size()), 4);
        images.insert(images.end(), entry.image.begin(), entry.image.end());
    }
    file.insert(file.end(), images.begin(), images.end() - static_cast<std::ptrdiff_t>(cut));
    return file;
}

TEST(ButtonFace, AnIconBecomesItsLargestImage) {
    struct Case {
        const char* what;
        Bytes icon;
        Bytes face;
    };
    const Bytes small24 = iconImage(1, 1, 24), large24 = iconImage(3, 2, 24), large32 = iconImage(3, 2, 32);
    const Case cases[] = {
        {"one 24-bit image", iconFile({{3, 2, 24, large24}}), bmpFile(3, 2, 24)},
        {"the largest of two", iconFile({{1, 1, 24, small24}, {3, 2, 32, large32}}), bmpFile(3, 2, 32)},
        {"the deepest colour of the largest", iconFile({{3, 2, 24, large24}, {1, 1, 24, small24}, {3, 2, 32, large32}}),
         bmpFile(3, 2, 32)},
        {"a width and height of 0 are 256 pixels", iconFile({{255, 255, 24, small24}, {0, 0, 32, large32}}),
         bmpFile(3, 2, 32)},
        {"a PNG image as it is", iconFile({{1, 1, 24, small24}, {3, 2, 32, png}}), png},
        {"an image beyond the file's end is passed over", iconFile({{1, 1, 24, small24}, {3, 2, 24, large24}}, 1),
         bmpFile(1, 1, 24)},
        {"8-bit colours", iconFile({{3, 2, 8, iconImage(3, 2, 8)}}), {}},
        {"compressed pixels", iconFile({{3, 2, 24, iconImage(3, 2, 24, 1)}}), {}},
        {"pixels cut short", iconFile({{3, 2, 24, Bytes(large24.begin(), large24.begin() + 50)}}), {}},
        {"a bitmap file", bmpFile(3, 2, 24), {}},
        {"nothing", {}, {}},
    };
    for (const Case& c : cases) EXPECT_EQ(runtime::awt::iconImageFile(c.icon), c.face) << c.what;
}

}  // namespace
