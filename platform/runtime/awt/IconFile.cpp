#include "platform/runtime/awt/IconFile.h"

#include <algorithm>
#include <cstddef>

namespace runtime::awt {

namespace {

constexpr std::size_t DirectorySize = 6;
constexpr std::size_t EntrySize = 16;
constexpr std::size_t InfoHeaderSize = 40;
constexpr std::size_t FileHeaderSize = 14;
constexpr std::uint8_t PngSignature[] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};

using Bytes = std::vector<std::uint8_t>;

std::uint32_t number(const Bytes& bytes, std::size_t at, std::size_t size) {
    std::uint32_t value = 0;
    for (std::size_t i = size; i-- > 0;) value = (value << 8) | bytes[at + i];
    return value;
}

void putNumber(Bytes& bytes, std::size_t at, std::uint32_t value, std::size_t size) {
    for (std::size_t i = 0; i < size; ++i) bytes[at + i] = static_cast<std::uint8_t>(value >> (8 * i));
}

struct Entry {
    std::uint32_t pixels = 0;  // width times height
    std::uint32_t bitCount = 0;
    std::size_t offset = 0;
    std::size_t size = 0;
};

// The entry of the largest image, the deepest colour among equals; none
// (size 0) when the directory is damaged.
Entry largestEntry(const Bytes& icon) {
    Entry best;
    if (icon.size() < DirectorySize || number(icon, 0, 2) != 0 || number(icon, 2, 2) != 1) return best;
    const std::size_t count = number(icon, 4, 2);
    if (icon.size() < DirectorySize + count * EntrySize) return best;
    for (std::size_t i = 0; i < count; ++i) {
        const std::size_t at = DirectorySize + i * EntrySize;
        // A width or height of 0 means 256 pixels.
        const std::uint32_t width = icon[at] == 0 ? 256 : icon[at];
        const std::uint32_t height = icon[at + 1] == 0 ? 256 : icon[at + 1];
        const Entry entry{width * height, number(icon, at + 6, 2), number(icon, at + 12, 4), number(icon, at + 8, 4)};
        if (entry.offset > icon.size() || entry.size > icon.size() - entry.offset) continue;
        if (entry.pixels > best.pixels || (entry.pixels == best.pixels && entry.bitCount > best.bitCount)) best = entry;
    }
    return best;
}

// The entry's colour image as a BMP file: the icon's bitmap header with the
// height of the colour image alone (an icon counts its mask in), the pixels
// without the mask that follows them.
Bytes bitmapFile(const Bytes& icon, const Entry& entry) {
    if (entry.size < InfoHeaderSize || number(icon, entry.offset, 4) != InfoHeaderSize) return {};
    const std::size_t header = entry.offset;
    const auto width = static_cast<std::int32_t>(number(icon, header + 4, 4));
    const auto height = static_cast<std::int32_t>(number(icon, header + 8, 4)) / 2;
    const std::uint32_t bitCount = number(icon, header + 14, 2);
    const std::uint32_t compression = number(icon, header + 16, 4);
    if (width <= 0 || height <= 0 || (bitCount != 24 && bitCount != 32) || compression != 0) return {};
    const std::size_t stride = (static_cast<std::size_t>(width) * bitCount + 31) / 32 * 4;
    const std::size_t pixelBytes = stride * static_cast<std::size_t>(height);
    if (entry.size < InfoHeaderSize + pixelBytes) return {};

    Bytes file(FileHeaderSize + InfoHeaderSize + pixelBytes);
    file[0] = 'B';
    file[1] = 'M';
    putNumber(file, 2, static_cast<std::uint32_t>(file.size()), 4);
    putNumber(file, 10, FileHeaderSize + InfoHeaderSize, 4);
    const auto source = icon.begin() + static_cast<std::ptrdiff_t>(header);
    std::copy(source, source + InfoHeaderSize + static_cast<std::ptrdiff_t>(pixelBytes), file.begin() + FileHeaderSize);
    putNumber(file, FileHeaderSize + 8, static_cast<std::uint32_t>(height), 4);
    putNumber(file, FileHeaderSize + 20, static_cast<std::uint32_t>(pixelBytes), 4);
    return file;
}

}  // namespace

Bytes iconImageFile(const Bytes& icon) {
    const Entry entry = largestEntry(icon);
    if (entry.size == 0) return {};
    const auto start = icon.begin() + static_cast<std::ptrdiff_t>(entry.offset);
    if (entry.size >= sizeof PngSignature && std::equal(std::begin(PngSignature), std::end(PngSignature), start))
        return Bytes(start, start + static_cast<std::ptrdiff_t>(entry.size));
    return bitmapFile(icon, entry);
}

}  // namespace runtime::awt
