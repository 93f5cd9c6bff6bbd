// Overlay drawing: the gray-chrome detector. Grades how flat and neutral a
// gray is and finds the gray sidebar and end band of a window image. Pure.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace lumetta {

// 0 for near black, near white and coloured samples; 1 for mid grays, ramping
// down linearly towards the dark and light limits.
double grayTintWeight(std::uint8_t r, std::uint8_t g, std::uint8_t b);

// `pixels` is RGBA with premultiplied alpha, rows of width * 4 bytes without
// gaps. Returns one byte per pixel in the same order, 1 for the left sidebar
// strip and the band of the last rows, 0 elsewhere; empty when width or height
// is below 1 or the buffer is shorter than width * height * 4 bytes.
std::vector<std::uint8_t> edgeChromeMask(std::span<const std::uint8_t> pixels, int width,
                                         int height);

}  // namespace lumetta
