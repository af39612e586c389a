#pragma once
// The picture files' bytes, as the build embeds them (Embed.cmake); one
// function a file, named after it.
#include <cstdint>
#include <span>

namespace Pictures::embedded {

std::span<const std::uint8_t> Picture1_ico();
std::span<const std::uint8_t> Image1_jpg();
std::span<const std::uint8_t> Dialog_ico();

}  // namespace Pictures::embedded
