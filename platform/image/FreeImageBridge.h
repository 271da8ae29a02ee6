// The calls into FreeImage, kept apart from the window system's headers
// (FreeImage declares its own Windows types when they are missing).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace vplat::image {

struct Pixels {
    int width = 0;
    int height = 0;
    std::vector<uint32_t> argb;  // rows top-down, colours premultiplied by alpha
};

// Reads a file (UTF-8 name) with the reader of the format code only. Fails on
// a missing or damaged file, an unknown code and a side above maxSide.
bool Load(const std::string& fileName, int formatCode, int maxSide, Pixels& out);
// The size in a file's header, read without the pixels (UTF-8 name, the
// reader of the format code only); false when the reader cannot give the
// header alone or the file is missing or damaged.
bool Size(const std::string& fileName, int formatCode, int& width, int& height);
// Bilinear resampling to a size of at least 1 x 1.
bool Rescale(const Pixels& in, int width, int height, Pixels& out);

}  // namespace vplat::image
