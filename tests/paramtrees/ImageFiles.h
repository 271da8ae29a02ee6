// Image files written for the picture tests, kept apart from the window
// system's headers (FreeImage declares Windows types of its own).
#pragma once

#include <cstdint>
#include <functional>
#include <string>

namespace image_test {

// Writes a w x h image whose pixel (x, y), counted from the top, has the colour
// 0xAARRGGBB given. format: the image library's code (1 BMP, 3 JPEG, 4 PNG,
// 6 TIFF); bits: 8 (palette of the colours used), 16 (grey from the blue
// channel), 24 or 32 (with alpha).
bool WriteImage(const std::string& path, int format, int bits, int w, int h,
                const std::function<uint32_t(int x, int y)>& argb);

// The size a PNG file's header gives, read without its pixels.
bool HeaderSize(const std::string& path, int& w, int& h);

}  // namespace image_test
